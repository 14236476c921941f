#pragma once

#include "engine/datetimevalue.h"
#include "engine/letterrules.h"

#include <QObject>
#include <QString>

class QSettings;

namespace quadrivium {

/// Command ids of the pages and modes the document can show.
enum PageCommand {
    kNoPage = 0,            ///< the introduction, at start
    kRebuildPage = -1,      ///< set just before a page command runs again
    kBiorhythmPage = 22771,
    kWalkthroughPage = 22772,
    kPyramidPage = 22773,
    kBirthChartPage = 22774,
    kTextEditorMode = 22824,
};

/// The settings that outlive a run. Each is kept as its current value and
/// the value read at start-up, so that only a change is written back.
struct DocumentSettings {
    /// The curve values are stored under their colours' names ("StyleBlue"
    /// is the intellectual curve's style, "WidthGreen" the emotional
    /// curve's width, "...Red" the physical curve's).
    enum Value {
        StyleIntellectual, StyleEmotional, StylePhysical, WidthIntellectual, WidthEmotional, WidthPhysical,
        Autoload, QuickView, LastID, LastCommand, Toolbars, Count
    };
    /// Value names in the order they are written.
    static const char *name(Value v);
    static int defaultValue(Value v);

    int current[Count];
    int loaded[Count];

    DocumentSettings();
    int value(Value v) const { return current[v]; }
    void set(Value v, int value) { current[v] = value; }
    bool changed() const;
};

/// The one shared state of the program: the current person, the chosen
/// day, the page showing, the text being edited and the curve switches.
/// Pages, dialogs and print jobs read it; it announces its changes.
class CQuadriviumDoc : public QObject {
    Q_OBJECT
public:
    explicit CQuadriviumDoc(QObject *parent = nullptr);

    // The current person; an empty name means none is chosen.
    const QString &personName() const { return m_personName; }
    const DateTimeValue &birthDate() const { return m_birthDate; }
    const DateTimeValue &birthTime() const { return m_birthTime; }
    bool hasPerson() const { return !m_personName.isEmpty(); }
    /// Makes this the current person and announces it.
    void setCurrentPerson(const QString &displayName, const DateTimeValue &birthDate,
                          const DateTimeValue &birthTime);

    // The other person of a reading of two; an empty name means none.
    const QString &partnerName() const { return m_partnerName; }
    const DateTimeValue &partnerBirthDate() const { return m_partnerBirthDate; }
    const DateTimeValue &partnerBirthTime() const { return m_partnerBirthTime; }
    bool hasPartner() const { return !m_partnerName.isEmpty() || m_partnerBirthDate.isValid(); }
    /// Makes this the other person and announces it; an empty name and an
    /// invalid date clear it.
    void setPartner(const QString &displayName, const DateTimeValue &birthDate, const DateTimeValue &birthTime);

    const DateTimeValue &chosenDay() const { return m_chosenDay; }
    void setChosenDay(const DateTimeValue &day);

    int currentCommand() const { return m_currentCommand; }
    void setCurrentCommand(int command);

    int editTable = 0;
    int editNumberId = -1; ///< -1: no record (the challenge 0 is a record)
    bool textChanged = false;
    // Which biorhythm curves are shown.
    bool showPhysical = true;
    bool showEmotional = true;
    bool showIntellectual = true;
    int biorhythmDays = 31;
    int biorhythmScale = 0;

    /// The counting rules every reading of the program uses.
    const LetterRules &letterRules() const { return m_letterRules; }
    /// Takes new rules; a change is announced as letterRulesChanged().
    void setLetterRules(const LetterRules &rules);

    DocumentSettings &settings() { return m_settings; }
    const DocumentSettings &settings() const { return m_settings; }
    /// Reads the eleven values, the counting rules and the three curve
    /// switches ("ShowRed", "ShowGreen", "ShowBlue") once per process;
    /// missing style and width values are marked so that they are written
    /// at the end.
    void LoadSettings(QSettings &store);
    /// Writes all eleven values when any of them changed, and each curve
    /// switch that changed; nothing otherwise. Syncs the store after writing.
    void SaveSettings(QSettings &store);

signals:
    void personChanged();
    void partnerChanged();
    void chosenDayChanged();
    void currentCommandChanged(int command);
    void letterRulesChanged();

private:
    QString m_personName;
    DateTimeValue m_birthDate = DateTimeValue::null(); // null: no person
    DateTimeValue m_birthTime;
    QString m_partnerName;
    DateTimeValue m_partnerBirthDate = DateTimeValue::null(); // null: no partner
    DateTimeValue m_partnerBirthTime;
    DateTimeValue m_chosenDay;
    int m_currentCommand = kNoPage;
    LetterRules m_letterRules;
    DocumentSettings m_settings;
    bool m_loaded = false;
    bool m_loadedShown[3] = {true, true, true};
};

} // namespace quadrivium
