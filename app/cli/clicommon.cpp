#include "clicommon.h"

#include "store/location.h"

#include <QDate>
#include <QRegularExpression>
#include <QTextStream>

namespace quadrivium::cli {

int fail(const QString &message)
{
    QTextStream(stderr) << "quadrivium-cli: " << message << Qt::endl;
    return kUsageError;
}

int storeFailure(const QString &message)
{
    QTextStream(stderr) << "quadrivium-cli: " << message << Qt::endl;
    return kStoreError;
}

std::optional<int> parseArguments(QCommandLineParser &parser, const QStringList &arguments)
{
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    // --help-all, which the parser offers beside --help, asks for help too:
    // the command must not go on to act (delete a person, write a file).
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    return std::nullopt;
}

DateArgument parseDateArgument(const QString &text, const QString &what)
{
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const auto match = iso.match(text.trimmed());
    if (!match.hasMatch())
        return {std::nullopt, QStringLiteral("%1 wants a date as YYYY-MM-DD, not \"%2\"").arg(what, text)};
    const int y = match.captured(1).toInt();
    const int m = match.captured(2).toInt();
    const int d = match.captured(3).toInt();
    if (y < 1600 || y > 2100)
        return {std::nullopt, QStringLiteral("%1: the year %2 is outside 1600..2100").arg(what).arg(y)};
    const DateTimeValue value = DateTimeValue::fromFields(y, m, d);
    if (!value.isValid())
        return {std::nullopt, QStringLiteral("%1: %2 is not a date of the calendar").arg(what, text)};
    return {value, {}};
}

void notePersonsFileChoice()
{
    if (LastPersonsFileChoice().candidates.size() > 1)
        QTextStream(stderr) << "quadrivium-cli: " << PersonsFileNotice() << Qt::endl;
}

QString personsFileGone()
{
    const QString gone = PersonsFileGoneMessage();
    if (gone.isEmpty())
        return {};
    return gone + QStringLiteral(" Attach or restore it, start the window to choose another, or give "
                                 "--persons-db FILE.");
}

} // namespace quadrivium::cli
