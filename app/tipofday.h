#pragma once

#include <QDialog>
#include <QFile>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;
class QSettings;

namespace quadrivium {

/// The tips of the day, one per line of "tips.txt". Its place in the file
/// and whether tips show at start-up are kept in the settings section
/// "Tip" ("StartUp": 0 shows them, "FilePos": byte offset of the next tip,
/// "TimeStamp": the file's modification time when that offset was kept; a
/// changed file starts again at its beginning).
///
/// Reading rules: lines are read in pieces of at most 1000 characters; a
/// line that begins with a blank, a tab, a line break or ";" is skipped;
/// the end of the file continues at its beginning. A file without any tip
/// line ends the search with no tip.
class CTipOfDay {
public:
    static constexpr int kMaxLine = 1000;

    /// Opens `path` and reads the first tip to show.
    CTipOfDay(QSettings &settings, const QString &path);

    /// The path of "tips.txt" beside the program.
    static QString DefaultPath();
    /// Whether tips show at start-up ("StartUp" 0, the default).
    static bool ShowAtStartup(QSettings &settings);

    /// The text to show: the tip, or the message of a missing or unreadable
    /// file; empty when the file holds no tip.
    const QString &text() const { return m_text; }
    /// Whether "&Next Tip" can be offered: the file is open and has a tip.
    bool canAdvance() const { return m_open && m_hasTips; }
    /// Reads the next tip.
    void NextTip();
    /// Offset of the tip after the one shown.
    qint64 position() const;
    /// Keeps the start-up switch and the place in the file.
    void Close(bool showAtStartup);

private:
    QSettings &m_settings;
    QFile m_file;
    QString m_text;
    bool m_open = false;
    bool m_hasTips = true;
};

/// The "Tip of the Day" dialog over CTipOfDay.
class CTipDialog : public QDialog {
    Q_OBJECT
public:
    CTipDialog(QSettings &settings, const QString &path, QWidget *parent = nullptr);
    ~CTipDialog() override;

    QPushButton *nextButton() const { return m_next; }
    QCheckBox *startupBox() const { return m_startup; }
    QString tipText() const;

    void done(int result) override;

private:
    void showTip();

    CTipOfDay m_tips;
    QLabel *m_tip;
    QCheckBox *m_startup;
    QPushButton *m_next;
    bool m_closed = false;
};

} // namespace quadrivium
