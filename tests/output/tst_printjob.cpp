// Report layout: page geometry and paper sizes, breaking text into lines,
// laying the lines out on pages with the contents page and page numbers,
// the 800-page limit and the print lines.

#include "output/pagegeometry.h"
#include "output/printjob.h"
#include "output/printsettings.h"
#include "output/reportoutput.h"

#include <QFileInfo>
#include <QPageSize>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace quadrivium;

Q_DECLARE_METATYPE(PageGeometry)

using Segments = QList<QPair<int, int>>; // x from, x to

namespace {

constexpr QSize kA4(2100, 2970);

/// A report of the given (kind, text) pieces, with or without a graphic.
class TestJob : public CPrintJob {
public:
    TestJob(QList<QPair<int, QString>> pieces, bool graphic = false)
        : CPrintJob(PrintSettings(), 0), m_pieces(std::move(pieces)), m_graphic(graphic)
    {
    }
    int graphicCalls = 0;

protected:
    void ComposeContent() override
    {
        SetGraphicPage(m_graphic);
        for (const auto &[kind, text] : m_pieces)
            AddText(kind, text);
    }
    void PrintGraphicPage(CPrintSurface &surface) override
    {
        ++graphicCalls;
        DrawPageFrame(surface);
    }

private:
    QList<QPair<int, QString>> m_pieces;
    bool m_graphic;
};

/// The line list of one AddText on A4 with the default font.
QStringList linesOf(int kind, const QString &text)
{
    TestJob job({{kind, text}});
    if (!job.Compose(kA4))
        qFatal("compose failed");
    return job.lines();
}

/// Where a text was drawn: recorded page index and top edge.
struct Drawn {
    int page = -1;
    int top = 0;
};

Drawn findText(const CPrintJob &job, const QString &text)
{
    for (int p = 0; p < job.recorder().count(); ++p) {
        for (const RecordedItem &item : job.recorder().Page(p)->items()) {
            if (item.kind == RecordedItem::Text && item.text == text)
                return {p, item.from.y()};
        }
    }
    return {};
}

QStringList textsOn(const CRecordedPage &page)
{
    return page.texts();
}

QString words(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("word%1").arg(i);
    return list.join(QLatin1Char(' '));
}

} // namespace

class TestPrintJob : public QObject {
    Q_OBJECT

private slots:
    void geometry_data()
    {
        QTest::addColumn<QSize>("paper");
        QTest::addColumn<PaperMargins>("margins");
        QTest::addColumn<PageGeometry>("expected");
        PageGeometry a4;
        a4.left = 150, a4.top = -150, a4.right = 1950, a4.bottom = -2820;
        a4.a = 2510, a4.u = 29, a4.p1 = 19, a4.p2 = 14, a4.p3 = 49;
        a4.frameLeft = 151, a4.frameTop = -180, a4.frameRight = 1891, a4.frameBottom = -2732;
        QTest::newRow("A4") << kA4 << PaperMargins() << a4;
        PageGeometry letter;
        letter.left = 150, letter.top = -150, letter.right = 1975, letter.bottom = -2600;
        letter.a = 2303, letter.u = 27, letter.p1 = 18, letter.p2 = 13, letter.p3 = 45;
        letter.frameLeft = 225, letter.frameTop = -160, letter.frameRight = 1845, letter.frameBottom = -2536;
        QTest::newRow("Letter") << QSize(2125, 2750) << PaperMargins() << letter;
        // Margins are kept in 0.01 mm and cut to whole 0.1 mm.
        PageGeometry odd = a4;
        odd.left = 152, odd.top = -150, odd.right = 1950, odd.bottom = -2820;
        odd.frameLeft = 152, odd.frameRight = 1892;
        QTest::newRow("A4, left margin 15.29 mm") << kA4 << PaperMargins{1529, 1500, 1500, 1500} << odd;
        // A page narrower than 94 % of its height allows: the width sets the unit.
        PageGeometry narrow;
        narrow.left = 202, narrow.top = -150, narrow.right = 1950, narrow.bottom = -2820;
        narrow.a = 2510, narrow.u = 28, narrow.p1 = 19, narrow.p2 = 14, narrow.p3 = 47;
        narrow.frameLeft = 208, narrow.frameTop = -225, narrow.frameRight = 1888, narrow.frameBottom = -2689;
        QTest::newRow("A4, left margin 20.29 mm") << kA4 << PaperMargins{2029, 1500, 1500, 1500} << narrow;
    }

    void geometry()
    {
        QFETCH(QSize, paper);
        QFETCH(PaperMargins, margins);
        QFETCH(PageGeometry, expected);
        QCOMPARE(ComputePageGeometry(paper, margins), expected);
    }

    void framesFitEveryPaper_data()
    {
        QTest::addColumn<QSize>("paper");
        QTest::addColumn<QSize>("sheet");
        int rows = 0;
        for (int code = 1; code <= 41; ++code) {
            const QSize paper = PaperSize(code, QSize());
            if (!paper.isValid())
                continue; // no row: the sheet's own size
            const QPageSize pageSize(QPageSize::id(code));
            const QSize sheet = pageSize.windowsId() == code ? SheetSize(pageSize) : paper;
            QTest::newRow(qPrintable(QStringLiteral("code %1 %2").arg(code).arg(pageSize.name()))) << paper << sheet;
            ++rows;
        }
        QVERIFY(rows >= 35);
    }

    // Regression: the frame was sized by the page's height alone, so on
    // narrow papers (Legal, the envelopes) it was wider than the paper and
    // the report was refused with any margins. With the default margins
    // every paper of the table prints, its frame inside the margins.
    void framesFitEveryPaper()
    {
        QFETCH(QSize, paper);
        QFETCH(QSize, sheet);
        const PageGeometry g = ComputePageGeometry(paper, PaperMargins(), sheet);
        QVERIFY(g.u >= 1);
        QVERIFY2(g.left >= 0 && g.right <= sheet.width() && g.top <= 0 && g.bottom >= -sheet.height(),
                 "the margins lie on the sheet");
        QVERIFY2(g.frameLeft >= g.left && g.frameRight <= g.right, "the frame fits across");
        QVERIFY2(g.frameTop <= g.top && g.frameBottom >= g.bottom, "the frame fits down");
        TestJob job({{1, QStringLiteral("Title")}, {2, words(300)}});
        QVERIFY(job.Compose(paper, sheet));
        QVERIFY(!job.truncated());
        QCOMPARE(findText(job, QStringLiteral("Title")).page, 0);
    }

    void frameCentredOnSheet_data()
    {
        QTest::addColumn<QPageSize>("pageSize");
        QTest::newRow("A4") << QPageSize(QPageSize::A4);
        QTest::newRow("Letter") << QPageSize(QPageSize::Letter);
        QTest::newRow("Legal") << QPageSize(QPageSize::Legal);
        QTest::newRow("Envelope #10") << QPageSize(QPageSize::Envelope10);
    }

    // Regression: the inch papers of the table measure 250 units per inch,
    // so their frame sat 1.7 mm left of and 2.2 mm above its place on real
    // Letter paper. The frame stands one unit left of and above the middle
    // of the sheet (31 units to the left, 29 to the right, 45 above, 43
    // below), on every paper as on A4.
    void frameCentredOnSheet()
    {
        QFETCH(QPageSize, pageSize);
        const QSize sheet = SheetSize(pageSize);
        const PageGeometry g = ComputePageGeometry(PaperSize(pageSize), PaperMargins(), sheet);
        QVERIFY(qAbs(g.frameLeft + g.frameRight + 2 * g.u - sheet.width()) <= 2);
        QVERIFY(qAbs(g.frameTop + g.frameBottom - 2 * g.u + sheet.height()) <= 2);
    }

    void paperSizes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QSize>("expected"); // with the real size 1000 x 2000
        QTest::newRow("letter") << 1 << QSize(2125, 2750);
        QTest::newRow("note, a letter row") << 18 << QSize(2125, 2750);
        QTest::newRow("ledger, landscape") << 4 << QSize(4250, 2750);
        QTest::newRow("A4") << 9 << QSize(2100, 2970);
        QTest::newRow("A5") << 11 << QSize(1480, 2100);
        QTest::newRow("fanfold 41") << 41 << QSize(2125, 3250);
        QTest::newRow("38 uses the real size") << 38 << QSize(1000, 2000);
        QTest::newRow("39 uses the real size") << 39 << QSize(1000, 2000);
        QTest::newRow("unknown code") << 120 << QSize(1000, 2000);
        QTest::newRow("no code") << 0 << QSize(1000, 2000);
    }

    void paperSizes()
    {
        QFETCH(int, code);
        QFETCH(QSize, expected);
        QCOMPARE(PaperSize(code, QSize(1000, 2000)), expected);
    }

    // Page sizes reach the table through their paper codes; others (and the
    // personal envelope, code 38) measure their sheet as it is printed: a
    // page size wider than high stays so in portrait orientation.
    void paperOfPageSize()
    {
        QCOMPARE(PaperSize(QPageSize(QPageSize::A4)), QSize(2100, 2970));
        QCOMPARE(PaperSize(QPageSize(QPageSize::Letter)), QSize(2125, 2750));
        QCOMPARE(PaperSize(QPageSize(QPageSize::EnvelopePersonal)), QSize(921, 1651));
        QCOMPARE(PaperSize(QPageSize(QPageSize::FanFoldUS)), QSize(3778, 2794));
        QCOMPARE(SheetSize(QPageSize(QPageSize::Letter)), QSize(2159, 2794));
    }

    // The stored forms: margins as four little-endian integers left, top,
    // right, bottom; the font as its 60-byte record. Missing or malformed
    // values leave what was loaded before.
    void storedSettings()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        PrintSettings custom;
        custom.margins = PaperMargins{1, 258, -3, 70000};
        custom.font.face = QStringLiteral("Times New Roman");
        custom.font.height = -21;
        custom.font.weight = 700;
        custom.font.italic = true;
        SavePrintSettings(settings, custom);
        QCOMPARE(settings.value(QStringLiteral("PaperMargins")).toByteArray(),
                 QByteArray("\x01\0\0\0\x02\x01\0\0\xfd\xff\xff\xff\x70\x11\x01\0", 16));
        QCOMPARE(settings.value(QStringLiteral("PrinterFont")).toByteArray().size(), 60);
        const PrintSettings loaded = LoadPrintSettings(settings);
        QCOMPARE(loaded.margins, custom.margins);
        QCOMPARE(loaded.font, custom.font);

        settings.setValue(QStringLiteral("PaperMargins"), QByteArray(15, '\0'));
        settings.remove(QStringLiteral("PrinterFont"));
        const PrintSettings kept = LoadPrintSettings(settings, custom);
        QCOMPARE(kept.margins, custom.margins);
        QCOMPARE(kept.font, custom.font);
        QCOMPARE(LoadPrintSettings(settings).font, LogFont());
    }

    void breaking_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("title") << 1 << "A Title" << QStringList{"<TITLE>", "A Title", "<ENTER>"};
        QTest::newRow("title without blank line") << 4 << "A Title" << QStringList{"<TITLE>", "A Title"};
        QTest::newRow("sign") << 3 << "abc" << QStringList{"<SIGN>", "abc", "<ENTER>"};
        QTest::newRow("other kind: no tag") << 7 << "abc" << QStringList{"abc"};
        QTest::newRow("two words, empty line between")
            << 2 << "first\r\n\r\nsecond" << QStringList{"<TEXT>", "first", "<ENTER>", "second", "<ENTER>"};
        QTest::newRow("line feeds only") << 2 << "first\n\nsecond\nthird"
                                         << QStringList{"<TEXT>", "first", "<ENTER>", "second", "third", "<ENTER>"};
        QTest::newRow("trailing line ends add nothing") << 2 << "one two\r\n\r\n"
                                                        << QStringList{"<TEXT>", "one two", "<ENTER>"};
        QTest::newRow("page break paragraph") << 2 << "a\r\n<PAGEBREAK>\r\nb"
                                              << QStringList{"<TEXT>", "a", "<PAGEBREAK>", "b", "<ENTER>"};
        const QString wide(400, QLatin1Char('W'));
        QTest::newRow("wide word between others")
            << 2 << "x " + wide + " y" << QStringList{"<TEXT>", "x ", wide + " ", "y", "<ENTER>"};
        // Regression: a paragraph opening with a word wider than the frame
        // got an empty line before it.
        QTest::newRow("wide word first") << 2 << wide + " y" << QStringList{"<TEXT>", wide + " ", "y", "<ENTER>"};
    }

    void breaking()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(linesOf(kind, text), expected);
    }

    // A text without line breaks fills each line: every line but the last
    // ends in a blank, fits the frame, and would not take the next word.
    void fillsLines()
    {
        const QString text = words(120);
        TestJob job({{2, text}});
        QVERIFY(job.Compose(kA4));
        const QStringList lines = job.lines().mid(1, job.lines().size() - 2);
        QVERIFY(lines.size() > 3);
        QCOMPARE(lines.join(QString()), text);
        const int width = job.geometry().frameRight - job.geometry().frameLeft;
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            QVERIFY(lines[i].endsWith(QLatin1Char(' ')));
            QVERIFY(TextExtent(job.textFont(), lines[i]).width() <= width);
            const QString next = lines[i + 1].section(QLatin1Char(' '), 0, 0) + QLatin1Char(' ');
            QVERIFY(TextExtent(job.textFont(), lines[i] + next).width() > width);
        }
    }

    // Fonts come from the base font: title 4 times, text and sign 2.4 times.
    void fonts()
    {
        TestJob job({});
        QVERIFY(job.Compose(kA4));
        QCOMPARE(job.titleFont().pixelSize(), 64);
        QCOMPARE(job.textFont().pixelSize(), 38);
        QCOMPARE(job.signFont().pixelSize(), 38);
        QCOMPARE(job.signFont().family(), QStringLiteral("Velmora Font2000"));
        QCOMPARE(job.pageNumberFont().pixelSize(), 29);
    }

    // A page break starts a new page and draws nothing; an empty line at
    // the top of a page adds no space.
    void pageBreakAndEnterAtTop()
    {
        TestJob job({{2, "a\r\n<PAGEBREAK>\r\n\r\nb"}});
        QVERIFY(job.Compose(kA4));
        QCOMPARE(job.pageCount(), 2);
        QCOMPARE(textsOn(*job.recorder().Page(0)), QStringList{"a"});
        QCOMPARE(textsOn(*job.recorder().Page(1)), QStringList{"b"});
        QCOMPARE(findText(job, "b").top, job.geometry().frameTop);
    }

    // A title that does not fit with its blank line and the first two lines
    // of its text moves to the next page; its contents entry names that page.
    void titleMovesToNextPage()
    {
        const PageGeometry g = ComputePageGeometry(kA4, PaperMargins());
        TestJob probe({});
        QVERIFY(probe.Compose(kA4));
        const int textLine = TextExtent(probe.textFont(), "x").height();
        const int titleLine = TextExtent(probe.titleFont(), "x").height();
        const int room = g.frameTop - g.frameBottom;
        // Text lines that leave room for one title line but not for its keep.
        const int count = (room - 3 * titleLine) / textLine;
        QVERIFY(room - count * textLine < 5 * titleLine);
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines << QStringLiteral("line %1").arg(i);
        TestJob job({{1, "Opening"}, {2, lines.join("\r\n")}, {1, "Second Title"}, {2, "body"}});
        QVERIFY(job.Compose(kA4));
        QCOMPARE(findText(job, QStringLiteral("line %1").arg(count - 1)).page, 0);
        const Drawn title = findText(job, "Second Title");
        QCOMPARE(title.page, 1);
        QCOMPARE(title.top, g.frameTop);
        QCOMPARE(findText(job, "body").page, 1);
        QCOMPARE(job.contents(), (QStringList{"Opening", "1", "Second Title", "2"}));
    }

    // A paragraph cut by the end of a page keeps two lines on each side: a
    // single first line at the foot moves on with the rest (orphan), and
    // where only the last line would go on, the line before goes with it
    // (widow).
    void widowsAndOrphans_data()
    {
        QTest::addColumn<int>("free");     // text lines left free on the first page
        QTest::addColumn<QString>("firstOn"); // the paragraph's first line on the next page
        QTest::newRow("one line free: no orphan") << 1 << "p1";
        QTest::newRow("three lines free: no widow") << 3 << "p3";
        QTest::newRow("two lines free: split in two") << 2 << "p3";
        QTest::newRow("room for all") << 4 << "";
    }

    void widowsAndOrphans()
    {
        QFETCH(int, free);
        QFETCH(QString, firstOn);
        TestJob probe({});
        QVERIFY(probe.Compose(kA4));
        const PageGeometry &g = probe.geometry();
        const int perPage = (g.frameTop - g.frameBottom) / TextExtent(probe.textFont(), "x").height();
        // A first paragraph and an empty line that leave `free` lines, then
        // a paragraph of four lines.
        QStringList first;
        for (int i = 0; i < perPage - free - 1; ++i)
            first << QStringLiteral("a%1").arg(i);
        TestJob job({{2, first.join("\r\n") + "\r\n\r\np1\r\np2\r\np3\r\np4"}});
        QVERIFY(job.Compose(kA4));
        QCOMPARE(findText(job, first.last()).page, 0);
        for (const QString line : {"p1", "p2", "p3", "p4"}) {
            const bool moved = !firstOn.isEmpty() && line >= firstOn;
            QCOMPARE(findText(job, line).page, moved ? 1 : 0);
        }
    }

    // The contents entries name the pages on which their titles are drawn,
    // and the contents page lists every entry. Every page but the graphic
    // page ends in "page n of N". With a graphic page every number moves up
    // by one.
    void contentsAndFooters_data()
    {
        QTest::addColumn<bool>("graphic");
        QTest::newRow("text only") << false;
        QTest::newRow("with graphic page") << true;
    }

    void contentsAndFooters()
    {
        QFETCH(bool, graphic);
        QList<QPair<int, QString>> pieces;
        for (int t = 0; t < 6; ++t)
            pieces << qMakePair(1, QStringLiteral("Section %1").arg(t)) << qMakePair(2, words(250 + 40 * t));
        TestJob job(pieces, graphic);
        QVERIFY(job.Compose(kA4));
        const int g = graphic ? 1 : 0;
        QCOMPARE(job.graphicPages(), g);
        QCOMPARE(job.pageCount(), g + job.recorder().count());
        QVERIFY(job.recorder().count() >= 5);

        const QStringList contents = job.contents();
        QCOMPARE(contents.size(), 12);
        for (qsizetype i = 0; i < contents.size(); i += 2) {
            const Drawn title = findText(job, contents[i]);
            QVERIFY2(title.page >= 0, qPrintable(contents[i]));
            QCOMPARE(contents[i + 1].toInt(), title.page + 1 + g);
        }
        const QStringList last = textsOn(*job.recorder().Page(job.recorder().count() - 1));
        QCOMPARE(last.first(), QStringLiteral("Content"));
        QCOMPARE(last.mid(1), contents);

        for (int n = 1; n <= job.pageCount(); ++n) {
            CRecordedPage page;
            job.PrintPage(page, n);
            const QString footer = QStringLiteral("page %1 of %2").arg(n).arg(job.pageCount());
            QCOMPARE(textsOn(page).contains(footer), n > g);
            if (n == 1)
                QCOMPARE(textsOn(page).contains(QStringLiteral("Section 0")), !graphic);
        }
        QCOMPARE(job.graphicCalls, g);
    }

    // Regression: a report longer than 800 pages stopped silently, and then
    // was printed cut at 800 pages. Layout stops there, and such a report is
    // refused before anything is printed, saying what to change.
    void cutAt800Pages()
    {
        QStringList paragraphs;
        for (int i = 0; i < 900; ++i)
            paragraphs << QStringLiteral("page %1").arg(i) << QStringLiteral("<PAGEBREAK>");
        TestJob job({{4, "Long"}, {2, paragraphs.join("\r\n")}});
        QVERIFY(job.Compose(kA4));
        QVERIFY(job.truncated());
        QCOMPARE(job.pageCount(), 800);
        QCOMPARE(findText(job, "page 799").page, 799);
        QCOMPARE(findText(job, "page 800").page, -1);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
        const Status written = WriteReportPdf(job, QPageSize(QPageSize::A4), pdf);
        QVERIFY(!written);
        QVERIFY2(written.error().contains(QLatin1String("larger paper")), qPrintable(written.error()));
        QVERIFY(!QFileInfo::exists(pdf));

        TestJob shortJob({{2, "short"}});
        QVERIFY(shortJob.Compose(kA4));
        QVERIFY(!shortJob.truncated());
        QVERIFY(shortJob.truncationMessage().isEmpty());
    }

    // A page that leaves no room for the frame is refused with a message
    // instead of a report of empty pages.
    void marginsTooWide()
    {
        PrintSettings settings;
        settings.margins = PaperMargins{1500, 15000, 1500, 15000};
        class Job : public CPrintJob {
        public:
            using CPrintJob::CPrintJob;
        } job(settings, 0);
        const Status composed = job.Compose(kA4);
        QVERIFY(!composed);
        QVERIFY(composed.error().contains("margins"));
    }

    // Solid lines are one stroke 0.5 mm wide; dashed ones 2.5 mm dashes with
    // 2.5 mm gaps, an odd last point left undrawn; other styles draw nothing.
    // On a two-colour surface the colour turns grey.
    void printLines_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("length");
        QTest::addColumn<Segments>("segments");
        QTest::newRow("solid") << 0 << 110 << Segments{{0, 110}};
        QTest::newRow("dashed, even points") << 1 << 100 << Segments{{0, 25}, {50, 75}};
        QTest::newRow("dashed, odd points") << 1 << 110 << Segments{{0, 25}, {50, 75}};
        QTest::newRow("unknown style") << 2 << 110 << Segments{};
    }

    void printLines()
    {
        QFETCH(int, style);
        QFETCH(int, length);
        QFETCH(Segments, segments);
        class GreySurface : public CRecordedPage {
            int colorCount() const override { return 2; }
        } page;
        CPrintJob::DrawPrintLine(page, 10, -40, 10 + length, -40, 0x0000FF, style);
        QCOMPARE(page.items().size(), std::size_t(segments.size()));
        for (qsizetype i = 0; i < segments.size(); ++i) {
            const RecordedItem &item = page.items()[std::size_t(i)];
            QCOMPARE(item.from, QPoint(10 + segments[i].first, -40));
            QCOMPARE(item.to, QPoint(10 + segments[i].second, -40));
            QCOMPARE(item.value, 5);
            QCOMPARE(item.colour, ColorRef(0x555555));
        }
    }

    // The page frame of a graphic page: the double rectangle about the text
    // frame, P2 apart, joined at the corners, in 0.1 mm black lines.
    void pageFrame()
    {
        TestJob job({}, true);
        QVERIFY(job.Compose(kA4));
        CRecordedPage page;
        job.PrintPage(page, 1);
        const PageGeometry g = job.geometry();
        QCOMPARE(page.items().size(), std::size_t(12));
        QPoint low(1 << 20, 1 << 20), high(-(1 << 20), -(1 << 20));
        for (const RecordedItem &item : page.items()) {
            QCOMPARE(item.kind, RecordedItem::Line);
            QCOMPARE(item.value, 1);
            QCOMPARE(item.colour, ColorRef(0));
            for (QPoint p : {item.from, item.to}) {
                low = QPoint(qMin(low.x(), p.x()), qMin(low.y(), p.y()));
                high = QPoint(qMax(high.x(), p.x()), qMax(high.y(), p.y()));
            }
        }
        QCOMPARE(low, QPoint(g.frameLeft - g.p2, g.frameBottom - g.p2));
        QCOMPARE(high, QPoint(g.frameRight + g.p2, g.frameTop + g.p2));
    }
};

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
