#pragma once

#include <QWidget>

namespace quadrivium {

class CIntro;
class CQuadriviumDoc;
class CsheetWithTab;

/// The upper pane of the main window: the tabbed sheet filling it, with the
/// introduction page first.
class CQuadriviumView : public QWidget {
    Q_OBJECT
public:
    explicit CQuadriviumView(CQuadriviumDoc &document, QWidget *parent = nullptr);

    CsheetWithTab *sheet() const { return m_sheet; }
    CIntro *introPage() const { return m_intro; }
    CQuadriviumDoc &document() const { return m_document; }

    /// Makes the page at sheet position `position` the active page.
    bool ShowPage(int position);

private:
    CQuadriviumDoc &m_document;
    CsheetWithTab *m_sheet;
    CIntro *m_intro;
};

} // namespace quadrivium
