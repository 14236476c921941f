#pragma once

#include <QTextCharFormat>
#include <QTextEdit>

namespace quadrivium {

/// The text pane under the sheet. It shows interpretation texts read-only;
/// texts without formats of their own appear in Times New Roman 10 pt.
class CRichView : public QTextEdit {
    Q_OBJECT
public:
    explicit CRichView(QWidget *parent = nullptr);

    /// The format plain texts take: Times New Roman, 10 pt, automatic
    /// colour, no effects.
    const QTextCharFormat &defaultCharFormat() const { return m_textFormat; }
    /// Empties the pane and gives it the default format again, caret at
    /// the start, nothing to undo.
    void resetContent();

private:
    QTextCharFormat m_textFormat;
    QTextCharFormat m_fixedFormat; ///< Courier New, the same size
};

} // namespace quadrivium
