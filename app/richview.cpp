#include "richview.h"

#include "output/stringtable.h"

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
    , m_textFormat(textFormat(LoadString(9010)))
    , m_fixedFormat(textFormat(LoadString(9009)))
{
    setObjectName(QStringLiteral("textPane"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                            | Qt::LinksAccessibleByMouse);
    setAcceptRichText(true);
    QFont font(LoadString(9010));
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

} // namespace quadrivium
