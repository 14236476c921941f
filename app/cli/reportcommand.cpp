#include "reportcommand.h"

#include "clicommon.h"
#include "personscommand.h"
#include "readinginput.h"

#include "output/reportoutput.h"
#include "pages/quadriviumdoc.h"
#include "pages/readingkind.h"
#include "pages/reports.h"

#include <QCommandLineParser>
#include <QPageSize>
#include <QTextStream>

#include <exception>

namespace quadrivium::cli {

namespace {

/// The page command of a report name; -1 when there is none.
int readingCommand(const QString &name)
{
    if (name == QLatin1String("intro"))
        return kNoPage;
    const ReadingKind *kind = ReadingKindNamed(name);
    return kind ? kind->command : -1;
}

std::optional<QPageSize> pageSizeNamed(const QString &name)
{
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
        const QPageSize size(static_cast<QPageSize::PageSizeId>(id));
        if (size.isValid() && size.key().compare(name, Qt::CaseInsensitive) == 0)
            return size;
    }
    return std::nullopt;
}

/// "L,T,R,B" in millimetres, each from 0 to 1000.
std::optional<PaperMargins> marginsFrom(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const double mm = parts[i].trimmed().toDouble(&ok);
        if (!ok || !(mm >= 0 && mm <= 1000)) // also refuses nan
            return std::nullopt;
        values[i] = qRound(mm * 100);
    }
    return PaperMargins{values[0], values[1], values[2], values[3]};
}

} // namespace

int runReport(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a printed report as a PDF file, as the window's PDF export does, with the\n"
        "default printer font and curve settings.\n"
        "  report --reading intro --pdf FILE.pdf\n"
        "  report --reading %1 (--person ID | --first F --last L --born YYYY-MM-DD)\n"
        "         [--sections LIST] [--prepared-by NAME] --pdf FILE.pdf").arg(ReadingKindNames().join(QLatin1Char('|'))));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("reading"),
                      QStringLiteral("The report: %1 or intro.").arg(ReadingKindNames().join(QStringLiteral(", "))),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("sections"),
                      QStringLiteral("all (default) or a comma-separated list of the reading's export sections "
                                     "and graphic."),
                      QStringLiteral("LIST")});
    parser.addOption({QStringLiteral("paper"), QStringLiteral("Paper size (A4, Letter, Legal, A5, ...); A4 if not given."),
                      QStringLiteral("SIZE")});
    parser.addOption({QStringLiteral("margins"),
                      QStringLiteral("Left, top, right and bottom margin in mm; 15 each if not given."),
                      QStringLiteral("L,T,R,B")});
    parser.addOption({QStringLiteral("prepared-by"),
                      QStringLiteral("The author the PDF names; the full name of your account if not given."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("pdf"), QStringLiteral("The PDF file to write."), QStringLiteral("FILE")});
    addReadingOptions(parser, true);
    addSecondPersonOptions(parser);
    addDatabaseOptions(parser);
    if (const auto status = parseReadingArguments(parser, arguments))
        return *status;
    if (!parser.isSet(QStringLiteral("reading")))
        return fail(QStringLiteral("report wants --reading"));
    const int command = readingCommand(parser.value(QStringLiteral("reading")));
    if (command < 0)
        return fail(QStringLiteral("--reading: no report \"%1\"").arg(parser.value(QStringLiteral("reading"))));
    const QString pdf = parser.value(QStringLiteral("pdf"));
    if (pdf.isEmpty())
        return fail(QStringLiteral("report wants --pdf FILE"));

    QPageSize paper(QPageSize::A4);
    if (parser.isSet(QStringLiteral("paper"))) {
        const auto named = pageSizeNamed(parser.value(QStringLiteral("paper")));
        if (!named)
            return fail(QStringLiteral("--paper: no paper size \"%1\"").arg(parser.value(QStringLiteral("paper"))));
        paper = *named;
    }
    PrintSettings settings;
    settings.preparedBy = parser.value(QStringLiteral("prepared-by"));
    if (parser.isSet(QStringLiteral("margins"))) {
        const auto margins = marginsFrom(parser.value(QStringLiteral("margins")));
        if (!margins)
            return fail(QStringLiteral("--margins wants four numbers of millimetres (0 to 1000) as L,T,R,B"));
        settings.margins = *margins;
    }

    CQuadriviumDoc document;
    std::uint32_t options = 0;
    Clock today = SystemToday;
    if (command != kNoPage) {
        QString error;
        const auto word = ReadingKindOf(command)->reportOptions(
            parser.isSet(QStringLiteral("sections")) ? parser.value(QStringLiteral("sections")) : QStringLiteral("all"),
            &error);
        if (!word)
            return fail(error);
        options = *word;
        ReadingInput input;
        if (const auto status = readReadingInput(parser, input))
            return *status;
        document.setCurrentPerson(input.name, input.born, input.time);
        document.setChosenDay(input.day);
        document.setLetterRules(input.rules);
        today = input.today;
        if (const auto status = applySecondPerson(parser, ReadingKindOf(command)->needsPartner, today, document))
            return *status;
    } else if (parser.isSet(QStringLiteral("sections"))) {
        return fail(QStringLiteral("--sections: the introduction report has no sections"));
    }

    const auto job = CreateReport(command, settings, options, document, today);
    if (!job)
        return fail(QStringLiteral("no reading for this date of birth"));
    try {
        const Status written = WriteReportPdf(*job, paper, pdf);
        if (!written)
            return storeFailure(written.error());
    } catch (const std::exception &e) {
        return storeFailure(QString::fromLocal8Bit(e.what()));
    }
    QTextStream out(stdout);
    out << job->pageCount() << " pages written to " << pdf << Qt::endl;
    return 0;
}

} // namespace quadrivium::cli
