// The cell grid: sizes and the cursor, fitting, alignment, strokes, the
// outer frame and the grey of two-colour surfaces, read back from the
// recorded drawing.

#include "output/cellgrid.h"
#include "output/pagerecorder.h"

#include <QTest>

using namespace quadrivium;

namespace {

class TwoColourPage : public CRecordedPage {
public:
    int colorCount() const override { return 2; }
};

std::vector<RecordedItem> itemsOf(const CRecordedPage &page, RecordedItem::Kind kind)
{
    std::vector<RecordedItem> items;
    for (const RecordedItem &item : page.items())
        if (item.kind == kind)
            items.push_back(item);
    return items;
}

} // namespace

class TestCellGrid : public QObject {
    Q_OBJECT

private slots:
    // A fresh grid is 5 by 3 cells of 40 by 40: it fills its background
    // (frame distance included) and draws the double frame; its cells have
    // no strokes.
    void freshGrid()
    {
        CRecordedPage page;
        CCellGrid grid(page);
        QCOMPARE(grid.ColumnWidth(5), -1);
        QCOMPARE(grid.RowHeight(-1), -1);
        QCOMPARE(grid.Flags(), 17u);
        grid.SetOrigin(100, -100);
        grid.Draw();
        const auto fills = itemsOf(page, RecordedItem::Fill);
        QCOMPARE(fills.size(), std::size_t(1));
        QCOMPARE(fills[0].from, QPoint(90, -90));
        QCOMPARE(fills[0].to, QPoint(310, -230));
        QCOMPARE(fills[0].colour, ColorRef(0xFFFFFF));
        QCOMPARE(itemsOf(page, RecordedItem::Line).size(), std::size_t(12));
        QVERIFY(itemsOf(page, RecordedItem::Text).empty());
    }

    // A cursor coordinate out of range keeps its old value, the other is
    // still taken.
    void cursor()
    {
        CRecordedPage page;
        CCellGrid grid(page);
        grid.SetCursor(2, 1);
        grid.SetCursor(7, 2);
        QCOMPARE(grid.cursorColumn(), 2);
        QCOMPARE(grid.cursorRow(), 2);
        grid.SetCursor(-1, 3);
        QCOMPARE(grid.cursorColumn(), 2);
        QCOMPARE(grid.cursorRow(), 2);
    }

    // With fitting on, a text wider than its column widens the whole
    // column to padding + text width; a cell marked 0x2000 never does, and
    // rows grow the same way unless marked 0x4000.
    void fitting_data()
    {
        QTest::addColumn<std::uint32_t>("gridFlags");
        QTest::addColumn<std::uint32_t>("cellFlags");
        QTest::addColumn<int>("escapement");
        QTest::addColumn<bool>("widens");
        QTest::addColumn<bool>("heightens");
        QTest::newRow("fit both") << 31u << 17u << 0 << true << true;
        QTest::newRow("cell not fitted in width") << 31u << 17u + 0x2000u << 0 << false << true;
        QTest::newRow("cell not fitted in height") << 31u << 17u + 0x4000u << 0 << true << false;
        QTest::newRow("fitting off") << 28u << 17u << 0 << false << false;
        // Turned by 90 degrees a long text is tall and narrow.
        QTest::newRow("rotated text") << 31u << 17u << 900 << true << true;
    }

    void fitting()
    {
        QFETCH(std::uint32_t, gridFlags);
        QFETCH(std::uint32_t, cellFlags);
        QFETCH(int, escapement);
        QFETCH(bool, widens);
        QFETCH(bool, heightens);
        CRecordedPage page;
        CCellGrid grid(page);
        grid.SetGridFlags(gridFlags);
        grid.SetCursor(1, 2);
        grid.SetFlags(cellFlags);
        grid.SetCellFont(QStringLiteral("Arial"), 60, 400, escapement);
        const QString text = QStringLiteral("A rather long text");
        grid.SetText(text);
        QVERIFY(grid.Flags() & CCellGrid::OwnFont);
        QCOMPARE(bool(grid.Flags() & CCellGrid::RotatedFont), escapement != 0);
        QSize size = TextExtent(PrintFont(QStringLiteral("Arial"), 60, 400), text);
        if (escapement)
            size.transpose();
        // The turned box may differ by a unit from the exact transposition.
        QVERIFY(qAbs(grid.ColumnWidth(1, true) - (widens ? 20 + size.width() : 40)) <= (escapement ? 1 : 0));
        QVERIFY(qAbs(grid.RowHeight(2, true) - (heightens ? 10 + size.height() : 40)) <= (escapement ? 1 : 0));
        QCOMPARE(grid.ColumnWidth(0), 40);
    }

    // Changing the number of columns or rows clears every cell and size.
    void resizeClears()
    {
        CRecordedPage page;
        CCellGrid grid(page);
        grid.SetCursor(1, 1);
        grid.SetText(QStringLiteral("x"));
        grid.SetFlags(0x40 | 0x200);
        grid.SetCellColors(0xFF, 0xFF00);
        grid.SetCellFont(QStringLiteral("Arial"), 50, 700);
        grid.SetColumnWidth(1, 100);
        grid.SetColumns(4);
        grid.SetCursor(1, 1);
        QCOMPARE(grid.Text(), QString());
        QCOMPARE(grid.Flags(), 17u);
        QCOMPARE(grid.ColumnWidth(1), 40);
        grid.SetText(QStringLiteral("y"));
        grid.SetRows(2);
        QCOMPARE(grid.Text(), QString());
        grid.SetGridFlags(0);
        grid.Draw();
        QVERIFY(page.items().empty());
    }

    // Text positions by the alignment bits, in the first of two 100 by 60
    // cells with the default paddings (20 and 10), no frame distance and no
    // fitting; w and h are the text's size.
    void alignment_data()
    {
        QTest::addColumn<int>("setter");   // 0 left, 1 right, 2 centre, 3 grid centre
        QTest::addColumn<int>("vertical"); // 0 top, 1 bottom, 2 centre (the default)
        QTest::addColumn<int>("span");     // x = (span - w) / 2; 0: x = start (- w)
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("minusWidth");
        QTest::newRow("left, top") << 0 << 0 << 0 << 10 << false;
        QTest::newRow("right, bottom") << 1 << 1 << 0 << 90 << true;
        QTest::newRow("centre, centre") << 2 << 2 << 100 << 0 << false;
        QTest::newRow("grid centre") << 3 << 2 << 200 << 0 << false;
    }

    void alignment()
    {
        QFETCH(int, setter);
        QFETCH(int, vertical);
        QFETCH(int, span);
        QFETCH(int, start);
        QFETCH(bool, minusWidth);
        CRecordedPage page;
        CCellGrid grid(page);
        grid.SetGridFlags(0);
        grid.SetColumns(2);
        grid.SetRows(1);
        grid.SetAllColumnWidths(100);
        grid.SetAllRowHeights(60);
        grid.SetFrameDistance(0);
        grid.SetCursor(0, 0);
        const QString text = QStringLiteral("Ag");
        grid.SetText(text);
        void (CCellGrid::*const setters[])() = {&CCellGrid::AlignLeft, &CCellGrid::AlignRight,
                                                &CCellGrid::AlignCenter, &CCellGrid::AlignGridCenter};
        (grid.*setters[setter])();
        if (vertical == 0)
            grid.AlignTop();
        else if (vertical == 1)
            grid.AlignBottom();
        grid.Draw();
        const auto texts = itemsOf(page, RecordedItem::Text);
        QCOMPARE(texts.size(), std::size_t(1));
        const QSize size = TextExtent(PrintFont(QStringLiteral("Arial"), 25, 400), text);
        const int x = span ? (span - size.width()) / 2 : start - (minusWidth ? size.width() : 0);
        const int top = vertical == 0 ? -5 : vertical == 1 ? -60 + 5 + size.height() : -(60 - size.height()) / 2;
        QCOMPARE(texts[0].from, QPoint(x, top));
    }

    // Strokes go in the grid's pen colour unless the cell names its own;
    // the shadow is drawn first, 2 units left and up.
    void strokesAndShadow()
    {
        CRecordedPage page;
        CCellGrid grid(page);
        grid.SetGridFlags(CCellGrid::DrawBorders);
        grid.SetPenColor(0x123456);
        grid.SetCursor(0, 0);
        grid.SetStrokes(CCellGrid::StrokeLeft | CCellGrid::StrokeRising | 0x1);
        QCOMPARE(grid.Flags(), 17u | CCellGrid::StrokeLeft | CCellGrid::StrokeRising);
        grid.SetCursor(1, 0);
        grid.AddFlags(CCellGrid::StrokeTop | CCellGrid::StrokeForeground | CCellGrid::Shadow);
        grid.SetCellColors(0x0000FF, 0xFFFFFF);
        grid.SetText(QStringLiteral("s"));
        grid.Draw();
        const auto lines = itemsOf(page, RecordedItem::Line);
        QCOMPARE(lines.size(), std::size_t(3));
        QCOMPARE(lines[0].from, QPoint(0, 0));
        QCOMPARE(lines[0].to, QPoint(0, -40));
        QCOMPARE(lines[0].colour, ColorRef(0x123456));
        QCOMPARE(lines[1].from, QPoint(0, -40));
        QCOMPARE(lines[1].to, QPoint(40, 0));
        QCOMPARE(lines[2].from, QPoint(40, 0));
        QCOMPARE(lines[2].to, QPoint(80, 0));
        QCOMPARE(lines[2].colour, ColorRef(0x0000FF));
        const auto texts = itemsOf(page, RecordedItem::Text);
        QCOMPARE(texts.size(), std::size_t(2));
        QCOMPARE(texts[0].colour, ColorRef(0xC0C0C0));
        QCOMPARE(texts[0].from, texts[1].from + QPoint(-2, 2));
    }

    // On a surface of two colours pure red, green and blue fill as grey 85;
    // a true-colour surface keeps them.
    void greyRule_data()
    {
        QTest::addColumn<ColorRef>("colour");
        QTest::addColumn<int>("colours");
        QTest::addColumn<ColorRef>("printed");
        QTest::newRow("red, two colours") << ColorRef(0x0000FF) << 2 << ColorRef(0x555555);
        QTest::newRow("green, two colours") << ColorRef(0x00FF00) << 2 << ColorRef(0x555555);
        QTest::newRow("blue, one colour") << ColorRef(0xFF0000) << 1 << ColorRef(0x555555);
        QTest::newRow("mixed, two colours") << ColorRef(0x102030) << 2 << ColorRef(0x202020);
        QTest::newRow("red, 256 colours") << ColorRef(0x0000FF) << 256 << ColorRef(0x0000FF);
        QTest::newRow("red, no count") << ColorRef(0x0000FF) << 0 << ColorRef(0x0000FF);
    }

    void greyRule()
    {
        QFETCH(ColorRef, colour);
        QFETCH(int, colours);
        QFETCH(ColorRef, printed);
        QCOMPARE(PrintColor(colour, colours), printed);
        if (colours != 2)
            return;
        TwoColourPage page;
        CCellGrid grid(page);
        grid.SetGridFlags(0);
        grid.SetCursor(0, 0);
        grid.AddFlags(CCellGrid::Fill);
        grid.SetCellColors(0, colour);
        grid.Draw();
        QCOMPARE(itemsOf(page, RecordedItem::Fill).at(0).colour, printed);
    }
};

QTEST_MAIN(TestCellGrid)
#include "tst_cellgrid.moc"
