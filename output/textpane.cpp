#include "textpane.h"

#include "richtextstream.h"
#include "storedtext.h"

#include "store/textstore.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>

#include <vector>

namespace quadrivium {

namespace {

const QString kBlankLine = QStringLiteral("\r\n\r\n");

/// Keeps the pane from repainting until the content is complete.
class UpdatesOff {
public:
    explicit UpdatesOff(QTextEdit &pane) : m_pane(pane), m_was(pane.updatesEnabled())
    {
        m_pane.setUpdatesEnabled(false);
    }
    ~UpdatesOff()
    {
        m_pane.setUpdatesEnabled(m_was);
        m_pane.viewport()->update();
    }

private:
    QTextEdit &m_pane;
    bool m_was;
};

void insertAtEnd(QTextEdit &pane, StreamFormat format, const QString &text)
{
    QTextCursor cursor(pane.document());
    cursor.movePosition(QTextCursor::End);
    streamIn(cursor, format, QStringView(text));
}

void caretToStart(QTextEdit &pane)
{
    QTextCursor cursor(pane.document());
    cursor.movePosition(QTextCursor::Start);
    pane.setTextCursor(cursor);
    pane.verticalScrollBar()->setValue(0);
}

} // namespace

Status ShowText(QTextEdit &pane, const TextStore &store, int table, int numberId)
{
    const auto shown = ShowStoredText(pane, store, table, numberId);
    return shown ? Status(Done{}) : Status::failure(shown.error());
}

Result<bool> ShowStoredText(QTextEdit &pane, const TextStore &store, int table, int numberId)
{
    const auto record = store.read(table, numberId);
    if (!record)
        return Result<bool>::failure(record.error());
    if (!record->has_value())
        return false;
    const TextRecord &r = **record;
    UpdatesOff off(pane);
    streamIn(*pane.document(), StoredFormat(r.title), QStringView(r.title));
    insertAtEnd(pane, StreamFormat::PlainText, kBlankLine);
    insertAtEnd(pane, StoredFormat(r.text), r.text);
    caretToStart(pane);
    return true;
}

Status ShowText(QTextEdit &pane, int table, int numberId)
{
    return ShowText(pane, TextStore(), table, numberId);
}

Result<bool> ShowStoredText(QTextEdit &pane, int table, int numberId)
{
    return ShowStoredText(pane, TextStore(), table, numberId);
}

Status ShowTextTriple(QTextEdit &pane, const TextStore &store, int table, int a, int b, int c)
{
    const std::pair<int, int> parts[] = {{a, a}, {b, b + 3}, {c, c + 6}};
    std::vector<TextKey> keys;
    for (const auto &[given, numberId] : parts) {
        if (given != 0)
            keys.emplace_back(table, numberId);
    }
    UpdatesOff off(pane);
    pane.clear();
    const auto records = store.readMany(keys);
    if (!records)
        return Status::failure(records.error());
    for (const auto &record : *records) {
        if (!record)
            continue;
        const TextRecord &r = *record;
        // Title and text go in as RTF together when the title is RTF.
        const StreamFormat format = StoredFormat(r.title);
        insertAtEnd(pane, format, r.title);
        insertAtEnd(pane, StreamFormat::PlainText, kBlankLine);
        insertAtEnd(pane, format, r.text);
        insertAtEnd(pane, StreamFormat::PlainText, kBlankLine);
    }
    caretToStart(pane);
    return Done{};
}

Status ShowTextTriple(QTextEdit &pane, int table, int a, int b, int c)
{
    return ShowTextTriple(pane, TextStore(), table, a, b, c);
}

} // namespace quadrivium
