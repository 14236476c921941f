#pragma once

#include "pages/windowcommands.h"

#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;

namespace quadrivium {

class CQuadriviumDoc;

/// Command ids of the main window. Menus, toolbars, context menus and tests
/// reach a command's action through CCommandRegistry::action(id).
enum CommandId {
    kCmdIntroOpen = 4774,
    kCmdSavePicture = 22850,
    kCmdExit = 57665,
    kCmdCopy = 57634,
    kCmdMainBar = 22822,
    kCmdStatusBar = 59393,
    kCmdCalendarBar = 22778,
    kCmdHelpTopics = 57667,
    kCmdAbout = 22840,
    kCmdTipOfDay = 105,
    kCmdFirstDay = 2780,  ///< day 1 of the calendar bar; day d is 2779 + d
    kCmdLastDay = 2810,   ///< day 31
    kCmdSunday = 2813,    ///< weekday headers 2813, 2815..2820 (inert)
    kCmdMonday = 2815,
    kCmdSaturday = 2820,
    kCmdBlankDay = 2821,
    kCmdForward = 2822,
    kCmdBack = 2823,
};

/// One QAction per command id. A command is enabled only while its rules
/// allow: "needs a person" commands only while the document has a current
/// person, and "marked while current" commands are checked exactly while
/// their id is the document's current command. Tooltips and status tips
/// come from the string table entry of the command's id.
class CCommandRegistry : public QObject {
    Q_OBJECT
public:
    enum Flag {
        NoFlags = 0,
        NeedsPerson = 0x1,       ///< enabled only while a person is current
        MarkedWhileCurrent = 0x2, ///< checked while it is the current command
        Checkable = 0x4,          ///< a plain on/off switch
    };
    Q_DECLARE_FLAGS(Flags, Flag)

    explicit CCommandRegistry(CQuadriviumDoc &document, QObject *parent = nullptr);

    /// Makes the action of command `id` (owned by the registry). Adding an
    /// id twice returns the action made first.
    QAction *add(int id, const QString &text, Flags flags = NoFlags,
                 const QKeySequence &shortcut = QKeySequence(), const QIcon &icon = QIcon());
    /// The action of command `id`; null when the program does not offer it.
    QAction *action(int id) const;
    bool contains(int id) const { return m_actions.contains(id); }
    /// Ids in the order they were added.
    const std::vector<int> &ids() const { return m_order; }

    /// Enables an action by a rule of its own, on top of "needs a person"
    /// (the calendar switch is enabled only while the biorhythm shows).
    void setEnableRule(int id, std::function<bool()> rule);
    /// Brings enabling and check marks up to date with the document.
    void updateStates();

    /// The tooltip of a command: its string table text cut to 79 characters.
    static QString tooltipText(int id);

signals:
    /// Emitted when the action of `id` is triggered.
    void commandTriggered(int id);

private:
    struct Entry {
        QAction *action = nullptr;
        Flags flags;
        std::function<bool()> rule;
    };
    void updateState(int id, const Entry &entry) const;

    CQuadriviumDoc &m_document;
    QHash<int, Entry> m_actions;
    std::vector<int> m_order;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(CCommandRegistry::Flags)

/// A theme icon with the program's bundled picture as fallback; `name` is a
/// freedesktop icon name or a resource path (":/icons/...").
QIcon ProgramIcon(const QString &name, const QString &fallback = QString());

} // namespace quadrivium
