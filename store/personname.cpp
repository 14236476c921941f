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

namespace {

/// Characters that show nothing themselves but hide or turn around what
/// follows, so that a name would read as another: direction marks,
/// embeddings, overrides and isolates, zero-width characters and line or
/// paragraph separators.
bool isInvisible(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E || u == 0x200F
           || u == 0x061C || (u >= 0x200B && u <= 0x200D) || u == 0x2060 || u == 0xFEFF || u == 0x2028
           || u == 0x2029;
}

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

} // namespace

std::optional<QString> NameProblem(const QString &name, const QString &what)
{
    const auto refused = [](QChar c) { return isControl(c) || isInvisible(c); };
    const auto found = std::find_if(name.begin(), name.end(), refused);
    if (found != name.end()) {
        QString shown = name.left(40);
        std::replace_if(shown.begin(), shown.end(), refused, QChar(QChar::ReplacementCharacter));
        return QStringLiteral("The %1 \"%2\" contains %3 (U+%4); names take letters, blanks and signs only")
            .arg(what, shown,
                 isControl(*found) ? QStringLiteral("a control character")
                                   : QStringLiteral("an invisible or direction-changing character"),
                 QString::number(found->unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    }
    if (name.size() > kMaxNameLength)
        return QStringLiteral("The %1 \"%2...\" is longer than %3 characters")
            .arg(what, name.left(20))
            .arg(kMaxNameLength);
    return std::nullopt;
}

namespace {

/// The base letters of a Latin letter beyond Latin-1: its canonical
/// decomposition's first character when that is A..Z or a..z, and the
/// letters with a stroke or ligatures that have no decomposition. Empty
/// for everything else.
QString baseLetters(char32_t c)
{
    switch (c) {
    case 0x0141: return QStringLiteral("L"); // Ł
    case 0x0142: return QStringLiteral("l"); // ł
    case 0x0152: return QStringLiteral("OE"); // Œ
    case 0x0153: return QStringLiteral("oe"); // œ
    default: break;
    }
    if (c <= 0xFF || !QChar::isLetter(c))
        return {};
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D);
    if (decomposed.size() < 2)
        return {};
    const QChar base = decomposed.front();
    if (base.unicode() >= 0x80 || !base.isLetter())
        return {};
    return QString(base);
}

/// The composed name with the letters that the accent rule counts as
/// their base letters (beyond Latin-1) replaced by them.
QString countedForm(const QString &displayName, AccentRule accents)
{
    const QString composed = displayName.normalized(QString::NormalizationForm_C);
    if (accents != AccentRule::Base)
        return composed;
    QString folded;
    folded.reserve(composed.size());
    for (const char32_t c : composed.toUcs4()) {
        const QString base = baseLetters(c);
        folded += base.isEmpty() ? QString::fromUcs4(&c, 1) : base;
    }
    return folded;
}

} // namespace

std::string EngineName(const QString &displayName, AccentRule accents)
{
    const QString counted = countedForm(displayName, accents);
    std::string bytes;
    bytes.reserve(std::size_t(counted.size()));
    for (const QChar c : counted) {
        if (c.unicode() <= 0xFF)
            bytes += static_cast<char>(c.unicode());
    }
    return bytes;
}

QString IgnoredLettersOf(const QString &displayName, AccentRule accents)
{
    const QString counted = countedForm(displayName, accents);
    QString letters;
    for (const uint c : counted.toUcs4()) {
        if (c <= 0xFF || QChar::isLetter(c))
            letters += QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
    }
    const std::string ignored = IgnoredLetters(letters.toStdString(), accents);
    return QString::fromStdString(ignored);
}

QString IgnoredLettersNote(const QString &displayName, AccentRule accents)
{
    const QList<uint> letters = IgnoredLettersOf(displayName, accents).toUcs4();
    if (letters.isEmpty())
        return {};
    QStringList named;
    for (const uint c : letters)
        named << QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
    return QStringLiteral("Letters not counted: %1").arg(named.join(QStringLiteral(", ")));
}

} // namespace quadrivium
