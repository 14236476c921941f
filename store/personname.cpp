#include "personname.h"

#include "personstore.h"

#include "engine/namenumbers.h"

#include <QList>
#include <QStringList>

#include <algorithm>

namespace quadrivium {

QString NormalizedName(const QString &typed)
{
    return typed.trimmed().normalized(QString::NormalizationForm_C);
}

std::optional<QString> NameProblem(const QString &name, const QString &what)
{
    const auto isControl = [](QChar c) { return c.category() == QChar::Other_Control; };
    const auto found = std::find_if(name.begin(), name.end(), isControl);
    if (found != name.end()) {
        QString shown = name.left(40);
        std::replace_if(shown.begin(), shown.end(), isControl, QChar(QChar::ReplacementCharacter));
        return QStringLiteral("The %1 \"%2\" contains a control character (U+%3); names take letters, "
                              "blanks and signs only")
            .arg(what, shown, QString::number(found->unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    }
    if (name.size() > kMaxNameLength)
        return QStringLiteral("The %1 \"%2...\" is longer than %3 characters")
            .arg(what, name.left(20))
            .arg(kMaxNameLength);
    return std::nullopt;
}

std::string EngineName(const QString &displayName)
{
    const QString composed = displayName.normalized(QString::NormalizationForm_C);
    std::string bytes;
    bytes.reserve(std::size_t(composed.size()));
    for (const QChar c : composed) {
        if (c.unicode() <= 0xFF)
            bytes += static_cast<char>(c.unicode());
    }
    return bytes;
}

QString IgnoredLettersOf(const QString &displayName)
{
    const QString composed = displayName.normalized(QString::NormalizationForm_C);
    QString letters;
    for (const uint c : composed.toUcs4()) {
        if (c <= 0xFF || QChar::isLetter(c))
            letters += QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
    }
    const std::string ignored = IgnoredLetters(letters.toStdString());
    return QString::fromStdString(ignored);
}

QString IgnoredLettersNote(const QString &displayName)
{
    const QList<uint> letters = IgnoredLettersOf(displayName).toUcs4();
    if (letters.isEmpty())
        return {};
    QStringList named;
    for (const uint c : letters)
        named << QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
    return QStringLiteral("Letters not counted: %1").arg(named.join(QStringLiteral(", ")));
}

} // namespace quadrivium
