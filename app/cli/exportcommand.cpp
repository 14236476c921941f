#include "exportcommand.h"

#include "clicommon.h"

#include "personscommand.h"
#include "readinginput.h"

#include "output/exportassembly.h"
#include "pages/quadriviumdoc.h"
#include "pages/readingkind.h"
#include "store/textstore.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QPageSize>
#include <QTextDocument>
#include <QTextStream>

namespace quadrivium::cli {

int runExport(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes one reading with its texts as an RTF file (FILE.rtf) or as plain UTF-8 text (FILE.txt)."));
    parser.addHelpOption();
    parser.addOptions({
        {"reading", QStringLiteral("The reading: %1.").arg(ReadingKindNames().join(QStringLiteral(", "))), "KIND"},
        {"sections", "all (default) or a comma-separated list of the reading's sections.", "LIST"},
        {"out", "The file to write; without a dot in its name it gets \".rtf\".", "FILE"},
    });
    addReadingOptions(parser, true);
    addSecondPersonOptions(parser);
    addDatabaseOptions(parser);
    if (const auto status = parseReadingArguments(parser, arguments))
        return *status;
    const ReadingKind *reading = ReadingKindNamed(parser.value(QStringLiteral("reading")));
    if (!reading)
        return fail(QStringLiteral("--reading wants %1").arg(ReadingKindNames().join(QStringLiteral(", "))));
    QString error;
    const auto sections = reading->sectionBits(
        parser.isSet(QStringLiteral("sections")) ? parser.value(QStringLiteral("sections")) : QStringLiteral("all"),
        &error);
    if (!sections)
        return fail(error);
    if (parser.value(QStringLiteral("out")).isEmpty())
        return fail(QStringLiteral("export needs --out FILE.rtf or --out FILE.txt"));
    ReadingInput input;
    if (const auto status = readReadingInput(parser, input))
        return *status;
    CQuadriviumDoc person;
    person.setCurrentPerson(input.name, input.born, input.time);
    person.setChosenDay(input.day);
    person.setLetterRules(input.rules);
    if (const auto status = applySecondPerson(parser, reading->needsPartner, input.today, person))
        return *status;
    const auto subject = ReportSubjectOf(person, input.today);
    if (!subject)
        return fail(QStringLiteral("no reading for this date of birth"));

    const QString given = parser.value(QStringLiteral("out"));
    const StreamFormat format = QFileInfo(given).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0
        ? StreamFormat::PlainText : StreamFormat::Rtf;
    QTextDocument document;
    const Status assembled = AssembleExport(document, TextStore(),
                                            {input.name, input.born, input.time, reading->exportNotes(*subject)},
                                            reading->exportRecords(*subject, *sections));
    if (!assembled.ok())
        return storeFailure(assembled.error());
    const Status written = WriteExport(document, format, ExportFilePath(given, format),
                                       ExportPageSetup(QPageSize(QPageSize::A4).size(QPageSize::Millimeter),
                                                       PaperMargins()));
    if (!written.ok())
        return storeFailure(written.error());
    return 0;
}

} // namespace quadrivium::cli
