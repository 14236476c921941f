#include "exportcommand.h"

#include "clicommon.h"

#include "store/personname.h"
#include "personscommand.h"
#include "readinginput.h"

#include "engine/reading.h"
#include "output/exportassembly.h"
#include "store/textstore.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QPageSize>
#include <QTextDocument>
#include <QTextStream>

namespace quadrivium::cli {

namespace {

/// The option bits of a section list: "all" or names of the reading's
/// sections separated by commas. Nothing for an unknown name.
std::optional<std::uint32_t> sectionBits(ExportReading reading, const QString &list, QString *error)
{
    if (list.trimmed() == QLatin1String("all"))
        return ExportAllSections(reading);
    const QStringList names = ExportSectionNames(reading);
    std::uint32_t bits = 0;
    for (const QString &part : list.split(QLatin1Char(','))) {
        const int bit = int(names.indexOf(part.trimmed()));
        if (bit < 0) {
            *error = QStringLiteral("unknown section \"%1\"; this reading has: all, %2")
                         .arg(part.trimmed(), names.join(QStringLiteral(", ")));
            return std::nullopt;
        }
        bits |= 1U << bit;
    }
    return bits;
}

} // namespace

int runExport(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes one reading with its texts as an RTF file (FILE.rtf) or as plain UTF-8 text (FILE.txt)."));
    parser.addHelpOption();
    parser.addOptions({
        {"reading", "The reading: chart, pyramid or biorhythm.", "KIND"},
        {"sections", "all (default) or a comma-separated list of the reading's sections.", "LIST"},
        {"out", "The file to write; without a dot in its name it gets \".rtf\".", "FILE"},
    });
    addReadingOptions(parser, true);
    addDatabaseOptions(parser);
    if (const auto status = parseReadingArguments(parser, arguments))
        return *status;
    const auto reading = ExportReadingNamed(parser.value(QStringLiteral("reading")));
    if (!reading)
        return fail(QStringLiteral("--reading wants chart, pyramid or biorhythm"));
    QString error;
    const auto sections = sectionBits(*reading, parser.isSet(QStringLiteral("sections"))
                                          ? parser.value(QStringLiteral("sections")) : QStringLiteral("all"),
                                      &error);
    if (!sections)
        return fail(error);
    if (parser.value(QStringLiteral("out")).isEmpty())
        return fail(QStringLiteral("export needs --out FILE.rtf or --out FILE.txt"));
    ReadingInput input;
    if (const auto status = readReadingInput(parser, input))
        return *status;
    const auto values = ComputeReading(EngineName(input.name), input.born, input.today, input.day);
    if (!values)
        return fail(QStringLiteral("no reading for this date of birth"));

    const QString given = parser.value(QStringLiteral("out"));
    const StreamFormat format = QFileInfo(given).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0
        ? StreamFormat::PlainText : StreamFormat::Rtf;
    QTextDocument document;
    const Status assembled = AssembleExport(document, TextStore(), {input.name, input.born, input.time}, *reading,
                                            *values, *sections);
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
