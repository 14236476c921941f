#include "pagerecorder.h"

namespace quadrivium {

void CRecordedPage::drawText(QPoint topLeft, const QString &text, const QFont &font, ColorRef colour)
{
    m_items.push_back({.kind = RecordedItem::Text, .from = topLeft, .text = text, .font = font, .colour = colour});
}

void CRecordedPage::drawRotatedText(const QRect &box, int escapement, const QString &text, const QFont &font,
                                    ColorRef colour)
{
    m_items.push_back({.kind = RecordedItem::RotatedText, .box = box, .value = escapement, .text = text,
                       .font = font, .colour = colour});
}

void CRecordedPage::drawLine(QPoint from, QPoint to, ColorRef colour, int width)
{
    m_items.push_back({.kind = RecordedItem::Line, .from = from, .to = to, .value = width, .colour = colour});
}

void CRecordedPage::fillRect(QPoint corner, QPoint opposite, ColorRef colour)
{
    m_items.push_back({.kind = RecordedItem::Fill, .from = corner, .to = opposite, .colour = colour});
}

QStringList CRecordedPage::texts() const
{
    QStringList drawn;
    for (const RecordedItem &item : m_items)
        drawn << item.text;
    return drawn;
}

void CRecordedPage::Play(CPrintSurface &target) const
{
    for (const RecordedItem &item : m_items) {
        switch (item.kind) {
        case RecordedItem::Text:
            target.drawText(item.from, item.text, item.font, item.colour);
            break;
        case RecordedItem::RotatedText:
            target.drawRotatedText(item.box, item.value, item.text, item.font, item.colour);
            break;
        case RecordedItem::Line:
            target.drawLine(item.from, item.to, item.colour, item.value);
            break;
        case RecordedItem::Fill:
            target.fillRect(item.from, item.to, item.colour);
            break;
        }
    }
}

void CPageRecorder::Reset()
{
    m_pages.clear();
    m_open.reset();
}

CRecordedPage *CPageRecorder::Open()
{
    if (count() >= kMaxPages)
        return nullptr;
    m_open = std::make_unique<CRecordedPage>();
    return m_open.get();
}

void CPageRecorder::Close()
{
    if (m_open)
        m_pages.push_back(std::move(m_open));
}

CRecordedPage *CPageRecorder::NewPage()
{
    Close();
    return Open();
}

const CRecordedPage *CPageRecorder::Page(int index) const
{
    return index >= 0 && index < count() ? m_pages[std::size_t(index)].get() : nullptr;
}

} // namespace quadrivium
