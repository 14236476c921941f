#pragma once

#include <QWidget>

class QAction;
class QLabel;

namespace quadrivium {

/// The introduction page: the plain grey page the sheet shows before any
/// reading, filling its pane. A short note at its top tells the user how to
/// begin; the introduction text in the pane below speaks to the person being
/// read and is printed as it stands. Its one command, Open (4774, in its
/// context menu), asks the main window to open a person and then show a reading.
class CIntro : public QWidget {
    Q_OBJECT
public:
    static constexpr int kOpenCommand = 4774;

    explicit CIntro(QWidget *parent = nullptr);

    /// The page's Open command; always enabled.
    QAction *openAction() const { return m_open; }

    /// The note on how to begin, shown at the top of the page.
    QLabel *note() const { return m_note; }

signals:
    /// The user chose Open on the page.
    void openRequested();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QAction *m_open;
    QLabel *m_note;
};

} // namespace quadrivium
