#pragma once

#include <QTextCharFormat>
#include <QTextEdit>

namespace quadrivium {

/// The text pane under the sheet. It shows interpretation texts read-only;
/// texts without formats of their own appear in Times New Roman 10 pt. In
/// the text manager it is editable and its commands format the selection.
/// Every change of the text marks the document modified.
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

    /// Lets the user type into the pane, or makes it read-only again.
    void setEditable(bool editable);
    bool isEditable() const { return !isReadOnly(); }

    /// The font dialog for the selection: face, size, bold (a weight above
    /// normal), italic, underline and strike-out as chosen.
    void ChooseFont();
    /// The colour dialog for the selection's text colour.
    void ChooseColor();
    /// Bold and italic on or off for the selection, by the format at the caret.
    void ToggleBold();
    void ToggleItalic();
    /// Alignment of the paragraphs of the selection.
    void Align(Qt::Alignment alignment);

private:
    QTextCharFormat m_textFormat;
    QTextCharFormat m_fixedFormat; ///< Courier New, the same size
};

} // namespace quadrivium
