// The registered readings: each is complete (page, report, export sections,
// command-line name), the sheet follows their order, and the readings that
// users' settings and scripts already know keep their ids and names.

#include "pages/quadriviumdoc.h"
#include "pages/readingkind.h"
#include "pages/readingpage.h"
#include "pages/readingpages.h"

#include <QSet>
#include <QTest>

#include <memory>

using namespace quadrivium;

namespace {

QString suppliedTexts()
{
    return qEnvironmentVariable("QUADRIVIUM_BINARY_DIR") + QStringLiteral("/bin/Quadrivium.mdb");
}

ReportSubject lena()
{
    CQuadriviumDoc document;
    document.setCurrentPerson(QStringLiteral("Lena Vogel"), DateTimeValue::fromFields(1951, 3, 6), DateTimeValue());
    document.setChosenDay(DateTimeValue::fromFields(2026, 12, 7));
    // A reading of two compares Lena with Käthe; the others leave her out.
    document.setPartner(QStringLiteral("Käthe Groß"), DateTimeValue::fromFields(1980, 9, 29), DateTimeValue());
    return *ReportSubjectOf(document, [] { return CivilDate{2026, 12, 7}; });
}

} // namespace

class TestReadingKinds : public QObject {
    Q_OBJECT

private slots:
    /// Every reading can be shown, printed, exported and named: the parts
    /// the sheet, Print, Export and the command line rely on are all there
    /// and fit together.
    void everyReadingIsComplete()
    {
        QVERIFY(!ReadingKinds().empty());
        QSet<QString> names;
        QSet<int> commands;
        QWidget owner;
        CQuadriviumDoc document;
        for (const ReadingKind &kind : ReadingKinds()) {
            const QByteArray what = kind.name.toUtf8();
            QVERIFY2(!kind.name.isEmpty() && !names.contains(kind.name), what);
            QVERIFY2(kind.command > 0 && !commands.contains(kind.command), what);
            names.insert(kind.name);
            commands.insert(kind.command);
            QCOMPARE(ReadingKindNamed(kind.name), &kind);
            QCOMPARE(ReadingKindOf(kind.command), &kind);

            std::unique_ptr<CReadingPage> page(kind.makePage(document, &owner));
            QVERIFY2(page, what);
            QCOMPARE(page->command(), kind.command);

            // The print dialog: "Graphic", then one box per export section,
            // which is how `report --sections` names them.
            const OptionsDialogForm print = kind.printOptions();
            QVERIFY2(!print.valueName.isEmpty(), what);
            QCOMPARE(print.boxes.size(), kind.exportSections.size() + 1);
            QCOMPARE(print.boxes.first().bit, 1U);
            std::uint32_t all = 0;
            for (const OptionBox &box : print.boxes)
                all |= box.bit;
            QCOMPARE(print.mask, all);

            QVERIFY2(!kind.exportSections.isEmpty(), what);
            const OptionsDialogForm exported = kind.exportOptions();
            QCOMPARE(exported.boxes.size(), kind.exportSections.size());
            QVERIFY2(!exported.valueName.isEmpty() && exported.valueName != print.valueName, what);
            QVERIFY2(kind.exportFileName.endsWith(QLatin1String(".rtf")), what);

            // Everything chosen: the report has pages, the export records.
            const ReportSubject subject = lena();
            QVERIFY2(!kind.exportRecords(subject, kind.allSections()).empty(), what);
            auto job = kind.makeReport(PrintSettings{}, print.mask, subject, suppliedTexts());
            QVERIFY2(job, what);
            const Status composed = job->Compose(QSize(2100, 2970));
            QVERIFY2(composed.ok(), qPrintable(composed.error()));
            QVERIFY2(job->pageCount() > 2, what);
        }
    }

    /// Guards the stored settings and the scripts of earlier versions: the
    /// first readings keep their place, page command, command-line name and
    /// the names and "All" masks under which their dialogs keep their choice.
    void earlierReadingsKeepTheirIds_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("printValue");
        QTest::addColumn<uint>("printMask");
        QTest::addColumn<QString>("exportValue");
        QTest::newRow("birth chart") << 0 << "chart" << 22774 << "PrintChartDialogOptions" << 0x3FFu
                                     << "ExportChartDialogOptions";
        QTest::newRow("pyramid") << 1 << "pyramid" << 22773 << "PrintPyramideDialogOptions" << 0x2003u
                                 << "ExportPyramideDialogOptions";
        QTest::newRow("biorhythm") << 2 << "biorhythm" << 22771 << "PrintBiorytmusDialogOptions" << 0x1C03u
                                   << "ExportBiorytmusDialogOptions";
    }

    void earlierReadingsKeepTheirIds()
    {
        QFETCH(int, position);
        QFETCH(QString, name);
        QFETCH(int, command);
        QFETCH(QString, printValue);
        QFETCH(uint, printMask);
        QFETCH(QString, exportValue);
        QVERIFY(std::size_t(position) < ReadingKinds().size());
        const ReadingKind &kind = ReadingKinds()[std::size_t(position)];
        QCOMPARE(kind.name, name);
        QCOMPARE(kind.command, command);
        QCOMPARE(kind.printOptions().valueName, printValue);
        QCOMPARE(kind.printOptions().mask, printMask);
        QCOMPARE(kind.exportOptions().valueName, exportValue);
    }

    /// The sheet shows the readings in their registered order, then the
    /// walkthrough; the introduction keeps position 0.
    void sheetFollowsTheRegistry()
    {
        QWidget owner;
        CQuadriviumDoc document;
        const std::vector<CReadingPage *> pages = CreateReadingPages(document, &owner);
        QCOMPARE(pages.size(), ReadingKinds().size() + 1);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            QCOMPARE(pages[i]->sheetIndex(), int(i) + 1);
            QCOMPARE(pages[i]->command(), i < ReadingKinds().size() ? ReadingKinds()[i].command : int(kWalkthroughPage));
        }
    }

    void sectionLists_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("report");
        QTest::addColumn<int>("word"); // -1: refused
        QTest::newRow("export all") << "pyramid" << "all" << false << 0x3;
        QTest::newRow("export by name, any order") << "chart" << "lines, intro" << false << 0x5;
        QTest::newRow("report maps sections onto dialog bits") << "pyramid" << "graphic,numbers" << true << 0x2001;
        QTest::newRow("report all is the dialog's mask") << "biorhythm" << "all" << true << 0x1C03;
        // Scripts written before the emotional curve had one name in code
        // used its label's word.
        QTest::newRow("old curve name in an export") << "biorhythm" << "spiritual" << false << 0x4;
        QTest::newRow("old curve name in a report") << "biorhythm" << "spiritual" << true << 0x800;
        QTest::newRow("graphic is no export section") << "chart" << "graphic" << false << -1;
        QTest::newRow("unknown name") << "chart" << "intro,stars" << true << -1;
    }

    void sectionLists()
    {
        QFETCH(QString, reading);
        QFETCH(QString, list);
        QFETCH(bool, report);
        QFETCH(int, word);
        const ReadingKind *kind = ReadingKindNamed(reading);
        QVERIFY(kind);
        QString error;
        const auto got = report ? kind->reportOptions(list, &error) : kind->sectionBits(list, &error);
        if (word < 0) {
            QVERIFY(!got);
            QVERIFY2(error.contains(kind->exportSections.first()), qPrintable(error));
        } else {
            QVERIFY2(got, qPrintable(error));
            QCOMPARE(int(*got), word);
        }
    }
};

QTEST_MAIN(TestReadingKinds)
#include "tst_readingkinds.moc"
