#pragma once

#include "engine/corenumbers.h"

#include <QWidget>

#include <functional>

namespace quadrivium {

class CQuadriviumDoc;

/// A page of the tabbed sheet that shows one reading of the document's
/// current person. Pages know nothing of the main window: they ask for
/// texts and commands through their signals, which the window routes.
class CReadingPage : public QWidget {
    Q_OBJECT
public:
    explicit CReadingPage(CQuadriviumDoc &document, QWidget *parent = nullptr);

    /// The page command that shows this page (22774 birth chart, ...).
    virtual int command() const = 0;
    /// Position in the sheet (0 is the introduction's): the readings in
    /// their registered order, then the calculation walkthrough.
    int sheetIndex() const { return m_sheetIndex; }
    void setSheetIndex(int position) { m_sheetIndex = position; }
    /// Tab and menu texts, e.g. "Birth Chart" and "&Birth Chart".
    virtual QString tabText() const = 0;
    virtual QString menuText() const = 0;
    /// Name of the page's icon (a theme name or a resource path).
    virtual QString iconName() const = 0;
    /// Whether the page needs a current person.
    virtual bool needsPerson() const { return true; }
    /// How the window's splitter should stand while the page is in front:
    /// the height the page wants (-1: the window's default split) and
    /// whether the user may drag the splitter.
    virtual int preferredHeight() const { return -1; }
    virtual bool splitterMovable() const { return false; }

    /// Recomputes everything shown from the document's current person.
    virtual void refill() = 0;
    /// Asks for the page's introduction text in the text pane.
    virtual void showIntroduction() = 0;

    CQuadriviumDoc &document() const { return m_document; }

    /// Fixes "today" for the numbers that depend on it (the personal years).
    void setClock(Clock clock) { m_clock = std::move(clock); }
    const Clock &clock() const { return m_clock; }

    /// Tells the page which commands of the main window can run now; its
    /// context menu offers the others disabled. Without a probe none can.
    void setCommandProbe(std::function<bool(int command)> probe) { m_probe = std::move(probe); }
    bool canRun(int command) const { return m_probe && m_probe(command); }

signals:
    /// Show record `numberId` of text table `table` in the text pane.
    void textRequested(int table, int numberId);
    /// Show up to three records of a table (see ShowTextTriple).
    void tripleRequested(int table, int a, int b, int c);
    /// Run a command of the main window (New 4775, Open 22776, Edit File 22821 ...).
    void commandRequested(int command);

private:
    CQuadriviumDoc &m_document;
    Clock m_clock = SystemToday;
    std::function<bool(int)> m_probe;
    int m_sheetIndex = -1;
};

} // namespace quadrivium
