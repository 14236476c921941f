#pragma once

#include "printsurface.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace quadrivium {

/// One drawing step of a recorded page, in the units of CPrintSurface.
struct RecordedItem {
    enum Kind { Text, RotatedText, Line, Fill };
    Kind kind = Text;
    QPoint from{};     ///< Text: top-left corner; Line, Fill: first point
    QPoint to{};       ///< Line, Fill: second point
    QRect box{};       ///< RotatedText: the box the text is centred in
    int value = 0;     ///< Line: width; RotatedText: escapement
    QString text{};
    QFont font{};
    ColorRef colour = 0;
};

/// A page kept as a display list: it records what is drawn on it and plays
/// it back onto any surface.
class CRecordedPage : public CPrintSurface {
public:
    void drawText(QPoint topLeft, const QString &text, const QFont &font, ColorRef colour) override;
    void drawRotatedText(const QRect &box, int escapement, const QString &text, const QFont &font,
                         ColorRef colour) override;
    void drawLine(QPoint from, QPoint to, ColorRef colour, int width) override;
    void fillRect(QPoint corner, QPoint opposite, ColorRef colour) override;

    /// Draws every recorded step on `target`, in the order recorded.
    void Play(CPrintSurface &target) const;
    const std::vector<RecordedItem> &items() const { return m_items; }
    /// The text of every recorded step, in the order recorded (empty for
    /// lines and fills).
    QStringList texts() const;

private:
    std::vector<RecordedItem> m_items;
};

/// The recorded pages of one report, at most kMaxPages of them.
class CPageRecorder {
public:
    static constexpr int kMaxPages = 1000;

    /// Drops every page; nothing is open.
    void Reset();
    /// Starts a new page and returns it; null when kMaxPages are held.
    CRecordedPage *Open();
    /// Stores the open page, if any, after the closed ones.
    void Close();
    /// Close, then Open.
    CRecordedPage *NewPage();
    /// The closed page at `index`; null when there is none.
    const CRecordedPage *Page(int index) const;
    int count() const { return int(m_pages.size()); }
    bool isOpen() const { return m_open != nullptr; }

private:
    std::vector<std::unique_ptr<CRecordedPage>> m_pages;
    std::unique_ptr<CRecordedPage> m_open;
};

} // namespace quadrivium
