#include "rtfcommand.h"

#include "clicommon.h"

#include "output/rtfreader.h"
#include "output/rtfwriter.h"
#include "store/inputfile.h"
#include "store/outputfile.h"

#include <QCommandLineParser>
#include <QTextDocument>

#include <cstdio>

namespace quadrivium::cli {

namespace {

/// Exit status when a file cannot be read or written.
constexpr int kFileError = 1;

int fileError(const QString &message)
{
    fail(message);
    return kFileError;
}

bool writeStdout(const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
        && std::fflush(stdout) == 0;
}

} // namespace

int runRtf(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads RTF files.\n"
        "  to-text FILE     prints the plain text (UTF-8), paragraphs on lines of their own\n"
        "  normalize FILE   prints the RTF as this program writes it"));
    parser.addHelpOption();
    parser.addOption({"output", "normalize: write to this file instead of stdout.", "file"});
    parser.addPositionalArgument(QStringLiteral("action"), QStringLiteral("to-text or normalize"));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("the RTF file"));
    if (const auto status = parseArguments(parser, arguments))
        return *status;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2)
        return fail(QStringLiteral("rtf wants an action (to-text or normalize) and one file"));
    const QString &action = positional[0];
    if (action != QLatin1String("to-text") && action != QLatin1String("normalize"))
        return fail(QStringLiteral("unknown rtf action \"%1\"").arg(action));
    if (action == QLatin1String("to-text") && parser.isSet(QStringLiteral("output")))
        return fail(QStringLiteral("--output belongs to normalize"));

    const auto read = ReadInputFile(positional[1]);
    if (!read)
        return fileError(read.error());
    const QByteArray &input = *read;

    if (action == QLatin1String("to-text")) {
        QString text = rtfToPlain(input);
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            text.append(u'\n');
        return writeStdout(text.toUtf8()) ? 0 : fileError(QStringLiteral("cannot write the text"));
    }

    QTextDocument document;
    readRtf(document, input);
    const QByteArray rtf = writeRtf(document);
    if (!parser.isSet(QStringLiteral("output")))
        return writeStdout(rtf) ? 0 : fileError(QStringLiteral("cannot write the RTF"));
    const QString path = parser.value(QStringLiteral("output"));
    const Status written = WriteOutputFile(path, rtf);
    return written ? 0 : fileError(written.error());
}

} // namespace quadrivium::cli
