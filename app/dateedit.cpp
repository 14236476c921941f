#include "dateedit.h"

#include "store/entryrules.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

namespace quadrivium {

CMaskedEdit::CMaskedEdit(QWidget *parent) : QLineEdit(parent)
{
    // The menu's Paste, Cut and Delete, and dropped text, would bypass the
    // typing rule.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
}

void CMaskedEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace) {
        // Moves one place left; nothing is deleted.
        if (hasSelectedText()) {
            const int start = selectionStart();
            if (start > 0)
                setSelection(start - 1, selectionLength());
        } else if (cursorPosition() > 0) {
            setCursorPosition(cursorPosition() - 1);
        }
        event->accept();
        return;
    }
    // Delete on the whole text empties the field: the one way to take back a
    // time of birth typed by mistake. Any other deletion is swallowed.
    if ((event->key() == Qt::Key_Delete || event->matches(QKeySequence::Delete))
        && hasSelectedText() && selectedText() == text()) {
        clear();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete || event->matches(QKeySequence::Cut)
        || event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Undo)
        || event->matches(QKeySequence::Redo) || event->matches(QKeySequence::Delete)
        || event->matches(QKeySequence::DeleteEndOfWord) || event->matches(QKeySequence::DeleteStartOfWord)
        || event->matches(QKeySequence::DeleteEndOfLine) || event->matches(QKeySequence::DeleteCompleteLine)) {
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (typed.size() != 1 || !typed.front().isPrint() || command) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    const QChar ch = typed.front();
    if (!accepts(ch))
        return;
    QString text = this->text();
    const int position = hasSelectedText() ? selectionStart() : cursorPosition();
    const int caret = insert(text, ch, position);
    if (text != this->text())
        setText(text);
    setCursorPosition(caret);
}

void CMaskedEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button pastes the selection on X11, past the typing rule.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CMaskedEdit::inputMethodEvent(QInputMethodEvent *event)
{
    // Composed text would bypass the typing rule; it is typed character by
    // character instead.
    const QString committed = event->commitString();
    event->accept();
    for (QChar ch : committed) {
        if (!accepts(ch))
            continue;
        QString text = this->text();
        const int position = hasSelectedText() ? selectionStart() : cursorPosition();
        const int caret = insert(text, ch, position);
        setText(text);
        setCursorPosition(caret);
    }
}

CDateEdit::CDateEdit(QWidget *parent) : CMaskedEdit(parent)
{
    // The empty field shows the form a date is typed in.
    const DateEntryLocale locale = DateEntryLocale::current();
    const QString sep(locale.separator);
    setPlaceholderText(locale.monthFirst ? QStringLiteral("MM") + sep + QStringLiteral("DD") + sep + QStringLiteral("YYYY")
                                         : QStringLiteral("DD") + sep + QStringLiteral("MM") + sep + QStringLiteral("YYYY"));
}

bool CDateEdit::IsComplete() const
{
    return quadrivium::IsComplete(text());
}

bool CDateEdit::accepts(QChar ch) const
{
    return IsDateEntryChar(ch);
}

int CDateEdit::insert(QString &text, QChar ch, int position) const
{
    return InsertDateChar(text, ch, position);
}

void CDateEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit dateEntered();
    CMaskedEdit::keyPressEvent(event);
}

CTimeEdit::CTimeEdit(QWidget *parent) : CMaskedEdit(parent)
{
}

bool CTimeEdit::accepts(QChar ch) const
{
    return IsTimeEntryChar(ch);
}

int CTimeEdit::insert(QString &text, QChar ch, int position) const
{
    return InsertTimeChar(text, ch, position);
}

} // namespace quadrivium
