// The supplied texts: every text a reading can ask for is in the built
// database, and the sources keep to their length and distinctness rules.

#include "store/personstore.h"
#include "store/textsource.h"
#include "store/textstore.h"
#include "store/textupgrade.h"

#include "engine/engine.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <map>
#include <set>

using namespace quadrivium;

namespace {

/// Every (table, NumberID) that a reading, report or export may look up,
/// derived from the engine's computations over their whole input range.
std::map<int, std::set<int>> askedFor()
{
    std::map<int, std::set<int>> asked;
    for (int id = 1; id <= 15; ++id)
        asked[0].insert(id); // the introductions of the pages, the numbers and the forecast
    for (int n = 1; n <= 9; ++n) {
        asked[kPersonalMonthTable].insert(n);
        asked[kPersonalDayTable].insert(n);
        asked[kKarmicLessonTable].insert(n);
    }
    for (int n = 0; n <= 8; ++n)
        asked[kChallengeTable].insert(n);
    for (const ChartLine &line : ChartLines())
        asked[1].insert(line.numberId);
    // The compatibility reading: its introductions, each role's relations,
    // each present line the other person completes.
    asked[kPartnershipTable] = {1, 2};
    for (CompareRole role : kCompareRoles)
        for (Relation relation : kRelations)
            asked[kPartnershipTable].insert(RelationNumberID(role, relation));
    for (std::size_t i = 0; i < ChartLines().size(); ++i)
        if (!ChartLines()[i].missing)
            asked[kPartnershipTable].insert(LineTogetherNumberID(int(i)));
    for (int digit = 1; digit <= 9; ++digit)
        for (int count = 0; count <= 8; ++count)
            asked[5].insert(CellNumberID(digit, count));
    for (int n = 1; n <= 200; ++n) {
        asked[6].insert(ReduceToDigit(n));
        asked[7].insert(ReduceToDigit(n));
        asked[8].insert(ReduceToDigit(n));
    }
    for (Curve c : kCurves)
        for (int kind = 1; kind <= 3; ++kind)
            asked[3].insert(3 * static_cast<int>(c) + kind);
    for (int id = 1; id <= 3; ++id)
        asked[kTitleListTable].insert(id);
    // Dates of birth over two centuries and every target year of a century.
    for (int year = 1900; year <= 2099; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                const auto digits = *FillBirthDigits(DateTimeValue::fromFields(year, month, day));
                const PyramidNumbers p = CalcPyramid(digits);
                asked[4].insert(p.rulingNumber);
                for (int climax : p.climax)
                    asked[2].insert(climax);
                asked[9].insert(digits.day());
                if (year == 2000)
                    for (int target = 2000; target < 2100; ++target)
                        asked[10].insert(PersonalYearFor(digits, target));
            }
        }
    }
    return asked;
}

int words(const QString &text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return static_cast<int>(text.split(space, Qt::SkipEmptyParts).size());
}

QStringList sentences(const QString &body)
{
    static const QRegularExpression end(QStringLiteral("(?<=[.!?])\\s+"));
    QStringList out;
    for (const QString &s : body.split(end, Qt::SkipEmptyParts)) {
        if (words(s) >= 4) // short exclamations may repeat
            out << s.trimmed();
    }
    return out;
}

/// Words that speak about using the program rather than to the person being
/// read. Whole words only: "establish" and "stable" are no "tab".
QString programWord(const QString &text)
{
    static const QRegularExpression word(
        QStringLiteral("\\b(?:click\\w*|menus?|toolbars?|(?:the|this) program|dialog(?:ue)?s?|buttons?|tabs?"
                       "|text pane|quadrivium|shortcuts?)\\b|\\bctrl\\+"),
        QRegularExpression::CaseInsensitiveOption);
    return word.match(text).captured();
}

} // namespace

class TestSuppliedData : public QObject {
    Q_OBJECT
private slots:
    void everyAskedTextExists();
    void rulingNumberTableOrder();
    void sourcesFollowTheRules();
    void programWordsAreWholeWords_data();
    void programWordsAreWholeWords();
    void printedTextsSpeakToTheReader();
    void dataVersionFollowsTheTexts();
    void personsTemplate();
    void tipsAndHelp();
};

void TestSuppliedData::everyAskedTextExists()
{
    const TextStore store(QStringLiteral(QUADRIVIUM_TEXT_DB));
    int checked = 0;
    for (const auto &[table, ids] : askedFor()) {
        for (int id : ids) {
            const auto record = store.read(table, id);
            QVERIFY2(record.ok(), qPrintable(record.error()));
            QVERIFY2(record->has_value(), qPrintable(QStringLiteral("%1 has no record %2")
                                                         .arg(TextTableName(table)).arg(id)));
            QVERIFY(!(*record)->title.isEmpty());
            QVERIFY(!(*record)->text.isEmpty());
            ++checked;
        }
    }
    QCOMPARE(checked, 15 + 16 + 45 + 9 * 3 + 9 + 3 + 11 + 9 + 31 + 9 + 9 * 3 + 9 + 30);
    const auto zero = store.read(5, 0);
    QVERIFY(zero.ok() && !zero->has_value());
}

// The title list maps positions 9 and 10 of the Ruling Number table to the
// master numbers: the records must be stored in that order.
void TestSuppliedData::rulingNumberTableOrder()
{
    const TextStore store(QStringLiteral(QUADRIVIUM_TEXT_DB));
    const auto records = store.list(kRulingNumberTable);
    QVERIFY(records.ok());
    QCOMPARE(records->size(), std::size_t(11));
    for (int position = 0; position < 11; ++position)
        QCOMPARE((*records)[position].numberId, NumberIdForListPosition(kRulingNumberTable, position));
}

void TestSuppliedData::sourcesFollowTheRules()
{
    const auto sources = ReadTextSources(QStringLiteral(QUADRIVIUM_TEXT_SOURCES), true);
    QVERIFY2(sources.ok(), qPrintable(sources.error()));
    // A reading describes tendencies; it never speaks of illness and its cure
    // nor promises money.
    static const QRegularExpression promise(
        QStringLiteral("\\b(infection|illness|disease|cure|diagnos|immun|symptom|windfall|lotter|fortune"
                       "|financial gain|financial success)\\w*"),
        QRegularExpression::CaseInsensitiveOption);
    QHash<QString, QString> seen; // sentence -> where
    int total = 0;
    for (const auto &[table, records] : *sources) {
        for (const TextSourceRecord &r : records) {
            const QString where = QStringLiteral("%1 %2").arg(TextTableName(table)).arg(r.numberId);
            const int count = words(r.body);
            total += count;
            const auto found = promise.match(r.title + QLatin1Char('\n') + r.body);
            QVERIFY2(!found.hasMatch(), qPrintable(QStringLiteral("%1 speaks of \"%2\"").arg(where, found.captured())));
            if (table == kTitleListTable)
                continue; // headings the export overwrites
            const int least = table == 0 ? 150 : 80;
            QVERIFY2(count >= least, qPrintable(QStringLiteral("%1 has %2 words").arg(where).arg(count)));
            for (const QString &sentence : sentences(r.body)) {
                const QString other = seen.value(sentence, where);
                QVERIFY2(other == where,
                         qPrintable(QStringLiteral("\"%1\" stands in %2 and %3").arg(sentence, other, where)));
                seen.insert(sentence, where);
            }
        }
    }
    QVERIFY2(total >= 20000, qPrintable(QString::number(total)));
}

void TestSuppliedData::programWordsAreWholeWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found");
    QTest::newRow("click") << "Click the value on the chart." << "Click";
    QTest::newRow("clicking") << "Clicking a label explains it." << "Clicking";
    QTest::newRow("shortcut") << "use Open... (Ctrl+O) to browse" << "Ctrl+";
    QTest::newRow("the program") << "The program adds the digits." << "The program";
    QTest::newRow("tab") << "the tabs above show the pages" << "tabs";
    QTest::newRow("menu") << "in the File menu" << "menu";
    QTest::newRow("toolbar") << "the main toolbar" << "toolbar";
    QTest::newRow("dialog") << "a small dialog asks" << "dialog";
    QTest::newRow("button") << "the numbered buttons" << "buttons";
    QTest::newRow("establish") << "You establish order and stay stable at the table." << "";
    QTest::newRow("programme") << "a programme of study, a computer program" << "";
    QTest::newRow("buttonhole") << "she buttonholed him; a menuet" << "";
}

void TestSuppliedData::programWordsAreWholeWords()
{
    QFETCH(QString, text);
    QFETCH(QString, found);
    QCOMPARE(programWord(text), found);
}

// Guards against texts that talk about the program (clicks, menus, shortcuts)
// reaching paper: every supplied record can end up in a report or an export
// that is handed to the person being read.
void TestSuppliedData::printedTextsSpeakToTheReader()
{
    const auto sources = ReadTextSources(QStringLiteral(QUADRIVIUM_TEXT_SOURCES), true);
    QVERIFY2(sources.ok(), qPrintable(sources.error()));
    std::size_t checked = 0;
    for (const auto &[table, records] : *sources) {
        for (const TextSourceRecord &r : records) {
            const QString found = programWord(r.title + QLatin1Char('\n') + r.body);
            QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("%1 %2 says \"%3\"")
                                                     .arg(TextTableName(table)).arg(r.numberId).arg(found)));
            ++checked;
        }
    }
    QVERIFY(checked >= 160); // all twelve tables were read
}

// Guards against changed texts that keep their old data version: users'
// copies would then never take them.
void TestSuppliedData::dataVersionFollowsTheTexts()
{
    const QString folder = QStringLiteral(QUADRIVIUM_TEXT_SOURCES);
    const auto version = ReadTextSourceVersion(folder);
    QVERIFY2(version.ok(), qPrintable(version.error()));
    const QString checksum = TextSourcesChecksum(folder);
    QVERIFY2(version->checksum == checksum,
             qPrintable(QStringLiteral("the texts in %1 changed: raise the version in its file VERSION "
                                       "and write there \"checksum %2\"").arg(folder, checksum)));
    Connection db(QStringLiteral(QUADRIVIUM_TEXT_DB));
    QCOMPARE(TextDataVersion(db), version->version);
}

// The sample persons show between them a present and a missing line, a
// master Ruling Number and a day sum of 10 or 11.
void TestSuppliedData::personsTemplate()
{
    const PersonStore store(QStringLiteral(QUADRIVIUM_PERSONS_TEMPLATE));
    const auto top = store.listLevel(kTopLevelKey);
    QVERIFY2(top.ok(), qPrintable(top.error()));
    QCOMPARE(top->size(), std::size_t(1));
    const PersonRow group = top->front();
    QVERIFY(group.folder);
    QCOMPARE(group.name, QStringLiteral("Examples"));
    const auto persons = store.listLevel(group.child);
    QVERIFY(persons.ok());
    QCOMPARE(persons->size(), std::size_t(3));
    bool present = false, missing = false, master = false, daySum = false;
    for (const PersonRow &p : *persons) {
        QVERIFY(!p.folder);
        const auto grid = ComputeChartGrid(p.born);
        const auto pyramid = CalcPyramid(p.born);
        QVERIFY(grid && pyramid);
        for (std::size_t i = 0; i < ChartLines().size(); ++i) {
            if (grid->m_bLine[i])
                (ChartLines()[i].missing ? missing : present) = true;
        }
        master = master || pyramid->rulingNumber >= 11;
        daySum = daySum || pyramid->daySum >= 10;
    }
    QVERIFY(present);
    QVERIFY(missing);
    QVERIFY(master);
    QVERIFY(daySum);
}

void TestSuppliedData::tipsAndHelp()
{
    QFile tips(QStringLiteral(QUADRIVIUM_TIPS));
    QVERIFY(tips.open(QIODevice::ReadOnly));
    int count = 0;
    while (!tips.atEnd()) {
        const QByteArray line = tips.readLine(1001);
        if (!line.isEmpty() && !QByteArray(" \t\n;").contains(line.at(0)))
            ++count;
    }
    QVERIFY2(count >= 40, qPrintable(QString::number(count)));

    const QDir help(QStringLiteral(QUADRIVIUM_HELP));
    QFile index(help.filePath(QStringLiteral("index.html")));
    QVERIFY(index.open(QIODevice::ReadOnly));
    const QString contents = QString::fromUtf8(index.readAll());
    for (const QString &page : help.entryList({QStringLiteral("*.html")})) {
        if (page != QLatin1String("index.html"))
            QVERIFY2(contents.contains(page), qPrintable(page + QStringLiteral(" is not in the contents")));
    }
}

QTEST_GUILESS_MAIN(TestSuppliedData)
#include "tst_supplieddata.moc"
