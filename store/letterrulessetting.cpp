#include "letterrulessetting.h"

#include "personname.h"

#include <QSettings>

namespace quadrivium {

namespace {

const QString kAccentsKey = QStringLiteral("Rules/Accents");
const QString kYKey = QStringLiteral("Rules/Y");

} // namespace

LetterRules LoadLetterRules(const QSettings &settings)
{
    LetterRules rules;
    if (settings.value(kAccentsKey).toString() == QLatin1String(AccentRuleName(AccentRule::Base).data()))
        rules.accents = AccentRule::Base;
    if (settings.value(kYKey).toString() == QLatin1String(YRuleName(YRule::VowelIfNeeded).data()))
        rules.y = YRule::VowelIfNeeded;
    return rules;
}

void SaveLetterRules(QSettings &settings, const LetterRules &rules)
{
    settings.setValue(kAccentsKey, QLatin1String(AccentRuleName(rules.accents).data()));
    settings.setValue(kYKey, QLatin1String(YRuleName(rules.y).data()));
}

QString LetterRulesLine(const LetterRules &rules)
{
    return QStringLiteral("Rules: %1, %2")
        .arg(rules.accents == AccentRule::Base ? QStringLiteral("accented letters as their base letter")
                                               : QStringLiteral("accented letters not counted"),
             rules.y == YRule::VowelIfNeeded ? QStringLiteral("Y a vowel where its name part has no other")
                                             : QStringLiteral("Y always a consonant"));
}

QString LetterRulesNotice(const LetterRules &rules)
{
    return rules.isDefault() ? QString() : LetterRulesLine(rules);
}

QString NoFateNote(const LetterRules &rules)
{
    if (rules.y == YRule::VowelIfNeeded)
        return QStringLiteral("No Number of Fate: the name has no vowel, not even a Y.");
    return QStringLiteral("No Number of Fate: the name has no vowel. Counting Y as a vowel where a part "
                          "of the name has no other vowel would give one.");
}

QStringList ChartNotes(const QString &displayName, bool noFate, const LetterRules &rules)
{
    QStringList notes{IgnoredLettersNote(displayName, rules.accents)};
    if (noFate)
        notes << NoFateNote(rules);
    notes << LetterRulesLine(rules);
    notes.removeAll(QString());
    return notes;
}

} // namespace quadrivium
