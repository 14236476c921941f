#pragma once

#include <QMainWindow>
#include <QString>

class QTextBrowser;

namespace quadrivium {

/// The program's help: the HTML pages installed beside the program
/// ("help/index.html" first), in a window with Back, Forward and Contents;
/// Esc and Ctrl+W close it.
class CHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget *parent = nullptr);

    /// Folder of the installed help pages; empty when none is found.
    static QString HelpFolder();
    /// Opens the help at its contents page. False when the pages are missing.
    bool ShowContents();
    /// The context rule of help requests: contexts 0 and 131200 mean the
    /// contents page; others name a page of their own.
    bool ShowContext(int context, const QString &page = QString());

    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
    QString m_folder;
};

} // namespace quadrivium
