#include "quadriviumdoc.h"

#include "store/letterrulessetting.h"

#include <QSettings>

namespace quadrivium {

namespace {
const char *const kNames[DocumentSettings::Count] = {
    "StyleBlue", "StyleGreen", "StyleRed", "WidthBlue", "WidthGreen", "WidthRed",
    "Autoload", "QuickView", "LastID", "LastCommand", "Toolbars",
};
const int kDefaults[DocumentSettings::Count] = {1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1};
const char *const kShownNames[3] = {"ShowRed", "ShowGreen", "ShowBlue"};

/// The stored form of a value: its low 16 bits, read back as a signed
/// 16-bit number. LastID is kept whole: a person ID above 65535 cut to 16
/// bits would open another person at the next start.
int stored(DocumentSettings::Value v, int value)
{
    if (v == DocumentSettings::LastID)
        return value;
    return static_cast<qint16>(static_cast<quint16>(value & 0xFFFF));
}
} // namespace

const char *DocumentSettings::name(Value v)
{
    return kNames[v];
}

int DocumentSettings::defaultValue(Value v)
{
    return kDefaults[v];
}

DocumentSettings::DocumentSettings()
{
    for (int i = 0; i < Count; ++i)
        current[i] = loaded[i] = kDefaults[i];
}

bool DocumentSettings::changed() const
{
    for (int i = 0; i < Count; ++i) {
        if (current[i] != loaded[i])
            return true;
    }
    return false;
}

CQuadriviumDoc::CQuadriviumDoc(QObject *parent)
    : QObject(parent)
{
}

void CQuadriviumDoc::setCurrentPerson(const QString &displayName, const DateTimeValue &birthDate,
                                      const DateTimeValue &birthTime)
{
    m_personName = displayName;
    m_birthDate = birthDate;
    m_birthTime = birthTime;
    emit personChanged();
}

void CQuadriviumDoc::setPartner(const QString &displayName, const DateTimeValue &birthDate,
                                const DateTimeValue &birthTime)
{
    m_partnerName = displayName;
    m_partnerBirthDate = birthDate;
    m_partnerBirthTime = birthTime;
    emit partnerChanged();
}

void CQuadriviumDoc::setChosenDay(const DateTimeValue &day)
{
    m_chosenDay = day;
    emit chosenDayChanged();
}

void CQuadriviumDoc::setCurrentCommand(int command)
{
    if (m_currentCommand == command)
        return;
    m_currentCommand = command;
    emit currentCommandChanged(command);
}

void CQuadriviumDoc::setLetterRules(const LetterRules &rules)
{
    if (m_letterRules == rules)
        return;
    m_letterRules = rules;
    emit letterRulesChanged();
}

void CQuadriviumDoc::LoadSettings(QSettings &store)
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_letterRules = LoadLetterRules(store);
    for (int i = 0; i < DocumentSettings::Count; ++i) {
        const auto v = static_cast<DocumentSettings::Value>(i);
        const QVariant read = store.value(QLatin1String(kNames[i]));
        bool ok = false;
        const int value = read.toInt(&ok);
        if (read.isValid() && ok) {
            m_settings.current[i] = m_settings.loaded[i] = stored(v, value);
        } else if (i <= DocumentSettings::WidthPhysical) {
            m_settings.current[i] = 1;
            m_settings.loaded[i] = -1; // written at the end
        }
    }
    bool *shown[3] = {&showPhysical, &showEmotional, &showIntellectual};
    for (int i = 0; i < 3; ++i) {
        const QVariant read = store.value(QLatin1String(kShownNames[i]));
        bool ok = false;
        const int value = read.toInt(&ok);
        if (read.isValid() && ok)
            *shown[i] = value != 0;
        m_loadedShown[i] = *shown[i];
    }
}

void CQuadriviumDoc::SaveSettings(QSettings &store)
{
    const bool shown[3] = {showPhysical, showEmotional, showIntellectual};
    bool wrote = false;
    for (int i = 0; i < 3; ++i) {
        if (shown[i] != m_loadedShown[i]) {
            store.setValue(QLatin1String(kShownNames[i]), shown[i] ? 1 : 0);
            m_loadedShown[i] = shown[i];
            wrote = true;
        }
    }
    if (!m_settings.changed()) {
        if (wrote)
            store.sync();
        return;
    }
    for (int i = 0; i < DocumentSettings::Count; ++i) {
        const auto v = static_cast<DocumentSettings::Value>(i);
        const int value = stored(v, m_settings.current[i]);
        store.setValue(QLatin1String(kNames[i]), value);
        m_settings.current[i] = m_settings.loaded[i] = value;
    }
    store.sync();
}

} // namespace quadrivium
