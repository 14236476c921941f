#pragma once

#include <QWidget>

class QAction;

namespace quadrivium {

/// The introduction page: the plain grey page the sheet shows before any
/// reading, filling its pane. Its one command, Open (4774, in its context
/// menu), asks the main window to open a person and then show a reading.
class CIntro : public QWidget {
    Q_OBJECT
public:
    static constexpr int kOpenCommand = 4774;

    explicit CIntro(QWidget *parent = nullptr);

    /// The page's Open command; always enabled.
    QAction *openAction() const { return m_open; }

signals:
    /// The user chose Open on the page.
    void openRequested();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QAction *m_open;
};

} // namespace quadrivium
