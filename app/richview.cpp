#include "richview.h"

#include "output/stringids.h"
#include "output/stringtable.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QTextCursor>

namespace quadrivium {

namespace {
QTextCharFormat textFormat(const QString &face)
{
    QTextCharFormat f;
    f.setFontFamilies({face});
    f.setFontPointSize(10.0);
    f.setFontWeight(QFont::Normal);
    f.setFontItalic(false);
    f.setFontUnderline(false);
    f.setFontStrikeOut(false);
    f.setVerticalAlignment(QTextCharFormat::AlignNormal);
    f.clearForeground();
    return f;
}
} // namespace

CRichView::CRichView(QWidget *parent)
    : QTextEdit(parent)
    , m_textFormat(textFormat(LoadString(kStrTextFont)))
    , m_fixedFormat(textFormat(LoadString(kStrFixedFont)))
{
    setObjectName(QStringLiteral("textPane"));
    setEditable(false);
    setAcceptRichText(true);
    QFont font(LoadString(kStrTextFont));
    font.setPointSizeF(10.0);
    document()->setDefaultFont(font);
    resetContent();
}

void CRichView::resetContent()
{
    clear();
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    c.setCharFormat(m_textFormat);
    setCurrentCharFormat(m_textFormat);
    moveCursor(QTextCursor::Start);
    document()->clearUndoRedoStacks();
    document()->setModified(false);
}

void CRichView::setEditable(bool editable)
{
    setReadOnly(!editable);
    setTextInteractionFlags(editable ? Qt::TextEditorInteraction
                                     : Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                           | Qt::LinksAccessibleByMouse);
}

void CRichView::ChooseFont()
{
    const QTextCharFormat current = currentCharFormat();
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current.font(), this);
    if (!ok)
        return;
    QTextCharFormat format;
    format.setFontFamilies({chosen.family()});
    format.setFontPointSize(chosen.pointSizeF() > 0 ? chosen.pointSizeF() : 10.0);
    format.setFontWeight(chosen.weight() > QFont::Normal ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chosen.italic());
    format.setFontUnderline(chosen.underline());
    format.setFontStrikeOut(chosen.strikeOut());
    mergeCurrentCharFormat(format);
}

void CRichView::ChooseColor()
{
    const QColor chosen = QColorDialog::getColor(textColor(), this);
    if (!chosen.isValid())
        return;
    QTextCharFormat format;
    format.setForeground(chosen);
    mergeCurrentCharFormat(format);
}

void CRichView::ToggleBold()
{
    QTextCharFormat format;
    format.setFontWeight(currentCharFormat().fontWeight() > QFont::Normal ? QFont::Normal : QFont::Bold);
    mergeCurrentCharFormat(format);
}

void CRichView::ToggleItalic()
{
    QTextCharFormat format;
    format.setFontItalic(!currentCharFormat().fontItalic());
    mergeCurrentCharFormat(format);
}

void CRichView::Align(Qt::Alignment alignment)
{
    setAlignment(alignment);
}

} // namespace quadrivium
