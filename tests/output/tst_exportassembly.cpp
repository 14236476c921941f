// The export of a reading: which records each section appends and in what
// order, the assembled document over a real text database, the file it is
// written to, and the file read back by our reader and by LibreOffice.

#include "output/exportassembly.h"
#include "output/rtfreader.h"

#include "rtftestsupport.h"

#include "engine/reading.h"
#include "store/datetext.h"
#include "store/personname.h"
#include "store/textstore.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace quadrivium;

Q_DECLARE_METATYPE(std::vector<ExportRecord>)
Q_DECLARE_METATYPE(DateTimeValue)

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<ExportRecord> sequence(int table, std::initializer_list<int> numberIds)
{
    std::vector<ExportRecord> records;
    for (int n : numberIds)
        records.push_back({table, n, {}});
    return records;
}

std::vector<ExportRecord> operator+(std::vector<ExportRecord> a, const std::vector<ExportRecord> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

/// A reading whose chart has every line formed, the digit 1 seven times and
/// the digit 2 once; climaxes 7, 3, 7, 1; curve states 2, 0, 3.
Reading sampleReading()
{
    Reading r;
    r.numbers.rulingNumber = 22;
    r.numbers.dayNumber = 29;
    r.numbers.core.m_nFate = 6;
    r.numbers.core.m_nAppearance = 8;
    r.numbers.core.m_nDominant = 3;
    r.numbers.core.m_nPersonalYear = 4;
    r.numbers.core.m_nPersonalYearNext = 5;
    r.numbers.core.m_nCurrentYear = 2026;
    r.grid.m_nDigitCount[1] = 7;
    r.grid.m_nDigitCount[2] = 1;
    r.grid.m_bLine.fill(true);
    r.pyramid.climax[0] = 7;
    r.pyramid.climax[1] = 3;
    r.pyramid.climax[2] = 7;
    r.pyramid.climax[3] = 1;
    r.curveClass = {2, 0, 3};
    return r;
}

QString words(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("word%1").arg(i);
    return list.join(QLatin1Char(' '));
}

TextRecord record(int id, const QString &title, const QString &text)
{
    return {QString::number(id), title, text, title, id};
}

} // namespace

class TestExportAssembly : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_texts;

    /// A fresh text database with the heading records and a few texts: Intro 1
    /// and 3 (plain), Pyramide 3 (RTF), Pyramide 7; Pyramide 1 is missing.
    void makeTexts()
    {
        m_texts = m_dir.filePath(QStringLiteral("Quadrivium.mdb"));
        QFile::remove(m_texts);
        const Status made = CreateTextDatabase(m_texts, [](Connection &db) {
            InsertText(db, kTitleListTable, record(1, QStringLiteral("Name"), QStringLiteral("-")));
            InsertText(db, kTitleListTable, record(2, QStringLiteral("Date of Birth"), QStringLiteral("-")));
            InsertText(db, kTitleListTable, record(3, QStringLiteral("Time of Birth"), QStringLiteral("-")));
            InsertText(db, 0, record(1, QStringLiteral("Welcome"), QStringLiteral("About numbers.")));
            InsertText(db, 0, record(3, QStringLiteral("The Pyramid"), QStringLiteral("Four climaxes.")));
            InsertText(db, 2, record(3, QStringLiteral("{\\rtf1\\ansi {\\b Three}}"),
                                     QStringLiteral("{\\rtf1\\ansi Joy \\i and\\i0  words.\\par Second.}")));
            InsertText(db, 2, record(7, QStringLiteral("Seven"), QStringLiteral("Depth.")));
        });
        QVERIFY2(made.ok(), qPrintable(made.error()));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        SetDateLocale(QLocale(QLocale::German, QLocale::Germany));
    }

    void records_data()
    {
        QTest::addColumn<int>("reading");
        QTest::addColumn<quint32>("sections");
        QTest::addColumn<std::vector<ExportRecord>>("expected");

        const int chart = 0, pyramid = 1, biorhythm = 2;
        // Lines in the order missing 3-6-9, 2-5-8, 4-5-6, 3-5-7, then the
        // present lines; seven 1s take the record of four.
        QTest::newRow("chart numbers and lines")
            << chart << quint32(0x6)
            << sequence(5, {5, 7, 11, 16, 21, 26, 31, 36, 41})
                   + sequence(1, {9, 10, 11, 12, 13, 14, 15, 16, 3, 4, 6, 5, 7, 8, 2, 1});
        QTest::newRow("chart core numbers, each after its introduction")
            << chart << quint32(0x1F9)
            << sequence(0, {1, 2}) + sequence(0, {5}) + sequence(4, {22}) + sequence(0, {9}) + sequence(9, {29})
                   + sequence(0, {6}) + sequence(6, {6}) + sequence(0, {7}) + sequence(7, {8}) + sequence(0, {8})
                   + sequence(8, {3}) + sequence(0, {10})
                   + std::vector<ExportRecord>{{10, 4, QStringLiteral(" (2026)")}, {10, 5, QStringLiteral(" (2027)")}};
        // Born 20.02.2004: the missing 3-6-9 and 3-5-7, then the missing
        // 1-5-9 and 7-8-9 that only later years can form.
        QTest::newRow("chart lines of a 2004 birth") << -1 << quint32(0x4) << sequence(1, {9, 12, 13, 16});
        QTest::newRow("chart nothing chosen") << chart << quint32(0) << std::vector<ExportRecord>{};
        // A climax shared by two places is exported once, all in ascending order.
        QTest::newRow("pyramid") << pyramid << quint32(0x3)
                                 << sequence(0, {1, 3}) + sequence(2, {1, 3, 7});
        // The emotional curve is off (state 0): no text for it.
        QTest::newRow("biorhythm all") << biorhythm << quint32(0xF)
                                       << sequence(0, {4}) + sequence(3, {2, 9});
        QTest::newRow("biorhythm intellectual only") << biorhythm << quint32(0x8)
                                                     << sequence(3, {9});
    }

    void records()
    {
        QFETCH(int, reading);
        QFETCH(quint32, sections);
        QFETCH(std::vector<ExportRecord>, expected);
        // Reading -1: the chart of a real reading born 20.02.2004.
        const auto born2004 = ComputeReading("Anne-Marie", DateTimeValue::fromFields(2004, 2, 20),
                                             [] { return CivilDate{2026, 12, 7}; }, DateTimeValue());
        QVERIFY(born2004);
        const auto got = reading < 0  ? ChartExportRecords(*born2004, sections)
            : reading == 0            ? ChartExportRecords(sampleReading(), sections)
            : reading == 1            ? PyramidExportRecords(sampleReading(), sections)
                                      : BiorhythmExportRecords(sampleReading(), sections);
        QStringList gotText, expectedText;
        for (const ExportRecord &r : got)
            gotText << QStringLiteral("%1/%2%3").arg(r.table).arg(r.numberId).arg(r.label);
        for (const ExportRecord &r : expected)
            expectedText << QStringLiteral("%1/%2%3").arg(r.table).arg(r.numberId).arg(r.label);
        QCOMPARE(gotText, expectedText);
    }

    void headingValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<DateTimeValue>("time");
        QTest::addColumn<QString>("timeText");
        QTest::addColumn<QByteArray>("escapedName");
        QTest::newRow("with time") << QStringLiteral("Anna Muller") << DateTimeValue::fromTime(6, 5)
                                   << QStringLiteral("06:05") << QByteArray("Anna Muller");
        // Guards against a name breaking the heading's RTF: braces and
        // backslashes are escaped, umlauts written as code page bytes.
        QTest::newRow("name with RTF characters")
            << QString::fromUtf8("Jörg {K}\\") << DateTimeValue::fromTime(23, 59) << QStringLiteral("23:59")
            << QByteArray("J\\'f6rg \\{K\\}\\\\");
        QTest::newRow("no time of birth") << QStringLiteral("Ben") << DateTimeValue() << QString()
                                          << QByteArray("Ben");
    }

    void headingValues()
    {
        QFETCH(QString, name);
        QFETCH(DateTimeValue, time);
        QFETCH(QString, timeText);
        QFETCH(QByteArray, escapedName);
        const QStringList values = ExportHeadingValues({name, DateTimeValue::fromFields(1984, 3, 7), time});
        QCOMPARE(values, (QStringList{name, QStringLiteral("07.03.1984"), timeText}));
        const QString rtf = ExportHeadingRtf(name);
        QVERIFY(rtf.endsWith(QLatin1String(escapedName + "\\plain\\f4\\fs20 }")));
        QCOMPARE(rtfToPlain(rtf), name);
    }

    // The notes a reading gives go under the heading block, before the texts.
    void headingNotesFollowTheHeadings()
    {
        makeTexts();
        QTextDocument document;
        const QStringList notes{QStringLiteral("Letters not counted: \u00e8"), QStringLiteral("Rules: x")};
        QVERIFY(AssembleExport(document, TextStore(m_texts),
                               {QStringLiteral("Anne-Marie Lef\u00e8vre"), DateTimeValue::fromFields(2004, 2, 20),
                                DateTimeValue(), notes},
                               PyramidExportRecords(sampleReading(), 0x1))
                    .ok());
        const QStringList lines = document.toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.mid(4, 2), notes); // after the name's and the date's headings
    }

    /// The whole pyramid export over the database: the heading block, then
    /// the texts in order, titles as headings, paragraphs set apart by space
    /// instead of empty paragraphs; without a time of birth its heading is
    /// left out. Written as RTF it reads back with the same text, headings
    /// and page in our reader and, when it is installed, in LibreOffice.
    void assembledPyramid_data()
    {
        QTest::addColumn<DateTimeValue>("time");
        QTest::addColumn<QString>("heading");
        QTest::newRow("with time") << DateTimeValue::fromTime(6, 30)
                                   << QString::fromUtf8("Name\nJörg Ode\nDate of Birth\n29.11.1990\nTime of Birth\n06:30\n");
        QTest::newRow("no time of birth") << DateTimeValue()
                                          << QString::fromUtf8("Name\nJörg Ode\nDate of Birth\n29.11.1990\n");
    }

    void assembledPyramid()
    {
        QFETCH(DateTimeValue, time);
        QFETCH(QString, heading);
        makeTexts();
        QTextDocument document;
        document.setPlainText(QStringLiteral("old content"));
        const TextStore store(m_texts);
        const QByteArray textsBefore = fileBytes(m_texts);
        const Status made = AssembleExport(document, store,
                                           {QString::fromUtf8("Jörg Ode"), DateTimeValue::fromFields(1990, 11, 29), time},
                                           PyramidExportRecords(sampleReading(), 0x3));
        QVERIFY2(made.ok(), qPrintable(made.error()));
        const QString body = QStringLiteral("Welcome\nAbout numbers.\nThe Pyramid\nFour climaxes.\n"
                                            "Three\nJoy and words.\nSecond.\nSeven\nDepth.");
        QCOMPARE(document.toPlainText(), heading + body);
        // The heading block is centred, the name in 14.5 pt; the titles are
        // headings; every paragraph but the headings' lines has space after it.
        const int headingLines = int(heading.count(QLatin1Char('\n')));
        QStringList headings;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const bool inHeading = block.blockNumber() < headingLines;
            QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                     inHeading ? Qt::AlignHCenter : Qt::AlignLeft);
            QVERIFY(block.length() > 1);
            if (block.blockFormat().headingLevel() > 0)
                headings << block.text();
            else if (!inHeading)
                QVERIFY(block.blockFormat().bottomMargin() > 0);
        }
        QCOMPARE(headings, (QStringList{"Welcome", "The Pyramid", "Three", "Seven"}));
        QCOMPARE(document.findBlockByNumber(1).begin().fragment().charFormat().fontPointSize(), 14.5);
        // Guards against the heading values being written into the store's
        // heading records, which left a person's data in the texts.
        QVERIFY(!textsBefore.isEmpty());
        QCOMPARE(fileBytes(m_texts), textsBefore);

        const QString rtfPath = m_dir.filePath(QStringLiteral("Pyramid.rtf"));
        const RtfPageSetup letter = ExportPageSetup(QSizeF(215.9, 279.4), PaperMargins{2000, 1500, 2000, 2500});
        QCOMPARE(letter.paperWidth, 12240);
        QCOMPARE(letter.marginBottom, 1417);
        QVERIFY(WriteExport(document, StreamFormat::Rtf, rtfPath, letter).ok());
        QFile rtfFile(rtfPath);
        QVERIFY(rtfFile.open(QIODevice::ReadOnly));
        const QByteArray rtf = rtfFile.readAll();
        QTextDocument back;
        readRtf(back, rtf);
        QCOMPARE(back.toPlainText(), document.toPlainText());
        QStringList headingsBack;
        for (QTextBlock block = back.begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() == 1)
                headingsBack << block.text();
            QCOMPARE(block.blockFormat().bottomMargin(), document.findBlockByNumber(block.blockNumber()).blockFormat().bottomMargin());
        }
        QCOMPARE(headingsBack, headings);
        QCOMPARE(rtfPageSetup(rtf), std::optional<RtfPageSetup>(letter));
        QVERIFY(rtf.contains("{\\footer") && rtf.contains("\\chpgn"));

        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("soffice is not installed");
        const QString folder = m_dir.filePath(QStringLiteral("lo"));
        QCOMPARE(rtftest::withoutTrailingLineEnds(rtftest::libreOfficeText(soffice, rtfPath, folder)),
                 rtftest::withoutTrailingLineEnds(document.toPlainText()));
        const QString odt = rtftest::libreOfficeConverted(soffice, rtfPath, folder, QStringLiteral("fodt"));
        for (const QString &title : headings) {
            const QRegularExpression asHeading(QStringLiteral("<text:h [^>]*text:outline-level=\"1\"[^>]*>(<[^>]*>)*%1<")
                                                   .arg(QRegularExpression::escape(title)));
            QVERIFY2(odt.contains(asHeading), qPrintable(title));
        }
        // LibreOffice writes the page size in the unit of its locale.
        const auto millimetres = [&odt](const QString &attribute) {
            const QRegularExpressionMatch m =
                QRegularExpression(attribute + QStringLiteral("=\"([0-9.]+)(cm|mm|in)\"")).match(odt);
            if (!m.hasMatch())
                return 0.0;
            const double perUnit = m.captured(2) == QLatin1String("in") ? 25.4 : m.captured(2) == QLatin1String("cm") ? 10 : 1;
            return m.captured(1).toDouble() * perUnit;
        };
        QVERIFY(qAbs(millimetres(QStringLiteral("fo:page-width")) - 215.9) < 0.5);
        QVERIFY(qAbs(millimetres(QStringLiteral("fo:page-height")) - 279.4) < 0.5);
    }

    /// The plain-text export: lines of at most 78 characters with every word
    /// kept, headings underlined, the heading block centred, paragraphs set
    /// apart by a blank line.
    void plainText()
    {
        makeTexts();
        QTextDocument document;
        QVERIFY(AssembleExport(document, TextStore(m_texts), {QStringLiteral("Ann Lee"),
                                DateTimeValue::fromFields(1990, 11, 29), DateTimeValue()},
                               PyramidExportRecords(sampleReading(), 0x3)).ok());
        QTextCursor end(&document);
        end.movePosition(QTextCursor::End);
        const QString longText = words(60);
        end.insertBlock();
        end.insertText(longText);
        const QStringList lines = QString::fromUtf8(ExportPlainText(document)).split(QLatin1Char('\n'));
        QStringList kept;
        for (const QString &line : lines) {
            QVERIFY2(line.size() <= 78, qPrintable(line));
            if (line.startsWith(QLatin1String("word")))
                kept << line;
        }
        QVERIFY(kept.size() >= 5);
        QCOMPARE(kept.join(QLatin1Char(' ')), longText);
        const qsizetype welcome = lines.indexOf(QStringLiteral("Welcome"));
        QVERIFY(welcome > 0);
        QCOMPARE(lines.at(welcome + 1), QStringLiteral("======="));
        QCOMPARE(lines.at(welcome - 1), QString()); // the blank line before a heading
        QCOMPARE(lines.at(0), QString(37, QLatin1Char(' ')) + QStringLiteral("Name"));
    }

    void filePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("expected");
        const int rtf = int(StreamFormat::Rtf);
        const int text = int(StreamFormat::PlainText);
        QTest::newRow("text without dot") << "/home/a/Chart" << text << "/home/a/Chart.txt";
        // A dot in a folder name does not count as the file's extension.
        QTest::newRow("dot in folder only") << "/home/a.b/readings/Chart" << rtf << "/home/a.b/readings/Chart.rtf";
        QTest::newRow("with extension") << "/home/a/Chart.doc" << text << "/home/a/Chart.doc";
    }

    void filePath()
    {
        QFETCH(QString, path);
        QFETCH(int, format);
        QFETCH(QString, expected);
        QCOMPARE(ExportFilePath(path, StreamFormat(format)), expected);
    }
};

QTEST_MAIN(TestExportAssembly)
#include "tst_exportassembly.moc"
