// The main window over real text and persons databases: start-up with and
// without settings, the start-up action, closing, window placement, page
// commands, the person list, the calendar bar and the command tooltips.

#include "app/advancedsplitter.h"
#include "app/barlayout.h"
#include "app/calendarbar.h"
#include "app/commandregistry.h"
#include "app/dateedit.h"
#include "app/mainbar.h"
#include "app/mainframe.h"
#include "app/personselectdialog.h"
#include "app/quadriviumapp.h"
#include "apptestsupport.h"
#include "app/quadriviumview.h"
#include "pages/biorhythmpage.h"
#include "app/savepicture.h"
#include "pages/chartpage.h"
#include "pages/designedpage.h"
#include "pages/pyramidpage.h"
#include "pages/intropage.h"
#include "app/quickview.h"
#include "pages/knowhowpage.h"
#include "app/richview.h"
#include "app/settingscommand.h"
#include "app/setupsheet.h"
#include "app/sheetwithtab.h"
#include "app/splash.h"
#include "app/screenfit.h"
#include "app/windowplacement.h"

#include <QComboBox>

#include "output/errorfunnel.h"
#include "output/stringtable.h"
#include "output/textpane.h"
#include "pages/quadriviumdoc.h"
#include "pages/readingpage.h"
#include "store/datetext.h"
#include "store/location.h"
#include "store/personstore.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QImage>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QAbstractButton>
#include <QCheckBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "modalcloser.h"

using namespace quadrivium;

namespace {

DateTimeValue date(int y, int m, int d)
{
    return DateTimeValue::fromFields(y, m, d);
}

/// Chooses the entry at `index` of the person list as a user does.
void choose(QComboBox *list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    int m_anna = 0;
    int m_ben = 0;

    /// The program as it was left with `lastId` chosen and no start-up load.
    static std::unique_ptr<CQuadriviumApp> startWith(int lastId, int autoload = 0)
    {
        return StartProgram([&](QSettings &s) { StoreStartSettings(s, autoload, lastId); });
    }

    void showAnnasChart(CQuadriviumApp &app)
    {
        app.document().settings().set(DocumentSettings::LastID, m_anna);
        app.document().setCurrentPerson(QStringLiteral("Anna Muller"), date(1984, 3, 7), DateTimeValue());
        app.mainFrame()->RunCommand(kBirthChartPage);
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        QVERIFY(m_folder->ok());
        const PersonStore store(m_folder->persons);
        const auto anna = store.addPerson({QStringLiteral("Muller"), QStringLiteral("Anna"), date(1984, 3, 7),
                                           DateTimeValue(), QStringLiteral("Family")});
        const auto ben = store.addPerson({QStringLiteral("Ode"), QStringLiteral("Ben"), date(1990, 11, 29),
                                          DateTimeValue(), QString()});
        QVERIFY(anna.ok() && ben.ok());
        m_anna = anna->id;
        m_ben = ben->id;
    }

    void cleanup() { m_folder.reset(); }

    void firstStart()
    {
        auto app = StartProgram();
        CMainFrame *frame = app->mainFrame();
        QVERIFY(!frame->hadStoredPlacement());
        // The whole screen, frame and all.
        QCOMPARE(frame->frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
        QVERIFY(!frame->calendarBar()->isFloating());
        QVERIFY(frame->calendarBar()->isHidden());
        QCOMPARE(frame->view()->sheet()->activePosition(), int(CsheetWithTab::Introduction));
        // The splitter gives the upper pane two thirds plus 25 pixels.
        const QList<int> sizes = frame->splitter()->sizes();
        const int h = frame->splitter()->height();
        QVERIFY(qAbs(sizes[0] - (2 * (h / 3) + 25)) <= frame->splitter()->handleWidth() + 1);

        // "Autoload" is on by default and "LastID" 0 finds nobody: the selection dialog.
        ModalCloser closer;
        frame->RunStartupAction();
        QCOMPARE(closer.seen, QStringList{QStringLiteral("quadrivium::CPersonSelectDialog")});
        QVERIFY(!app->document().hasPerson());
        QCOMPARE(app->document().currentCommand(), int(kNoPage));
        // The introduction page opens with the program's introduction text.
        QVERIFY(!frame->textPane()->toPlainText().isEmpty());
        QCOMPARE(app->document().editTable, 0);
        QCOMPARE(app->document().editNumberId, 1);

        frame->close();
        QSettings s;
        for (const char *name : {"StyleBlue", "WidthRed", "Autoload", "LastID", "Toolbars"})
            QVERIFY2(s.contains(QLatin1String(name)), name);
        QCOMPARE(s.value(QStringLiteral("StyleRed")).toInt(), 1);
        QVERIFY(ParseWindowPlacement(s.value(QStringLiteral("Settings/WindowPos")).toString()));
        QCOMPARE(s.value(QStringLiteral("General-Summary/Bars")).toInt(), kStoredBarCount);
    }

    void gonePersonsFileAsked_data()
    {
        QTest::addColumn<bool>("agree");
        QTest::newRow("go on with the other file") << true;
        QTest::newRow("quit to bring it back") << false;
    }

    // Guards against the start switching for good to another persons file
    // of the shared folder when the one used last time is missing (a drive
    // not attached): the window says so and asks first.
    void gonePersonsFileAsked()
    {
        QFETCH(bool, agree);
        const QString other = SharedFolder() + QStringLiteral("/p1.mdb");
        QVERIFY(QDir().mkpath(SharedFolder()));
        QVERIFY(CreatePersonsDatabase(other).ok());
        const QString gone = m_folder->filePath(QStringLiteral("unplugged/persons.mdb"));
        QSettings().setValue(RememberedPersonsFileKey(), gone);
        ForgetDatabaseLocations();
        SetTextDatabasePath(m_folder->texts);
        StartOptions options;
        options.splash = false;
        options.tips = false;
        options.startupAction = false;
        CQuadriviumApp app(options);
        ModalDriver driver({ModalDriver::answer(agree ? QMessageBox::Yes : QMessageBox::No)});
        QCOMPARE(app.InitInstance(), agree);
        QCOMPARE(driver.texts.size(), 1);
        QVERIFY2(driver.texts.first().contains(gone), qPrintable(driver.texts.first()));
        QCOMPARE(QSettings().value(RememberedPersonsFileKey()).toString(), agree ? other : gone);
        QCOMPARE(PersonsDatabasePath(), agree ? other : QString());
    }

    void autoload_data()
    {
        QTest::addColumn<int>("autoload");
        QTest::addColumn<QString>("lastId"); // "anna" or a number
        QTest::addColumn<QStringList>("dialogs");
        QTest::addColumn<QString>("person");
        QTest::addColumn<int>("command");
        QTest::newRow("existing LastID") << 1 << "anna" << QStringList() << "Anna Muller" << int(kBirthChartPage);
        QTest::newRow("missing LastID") << 1 << "999" << QStringList{"quadrivium::CPersonSelectDialog"} << ""
                                        << int(kNoPage);
        QTest::newRow("autoload off") << 0 << "anna" << QStringList() << "" << int(kNoPage);
    }

    void autoload()
    {
        QFETCH(int, autoload);
        QFETCH(QString, lastId);
        QFETCH(QStringList, dialogs);
        QFETCH(QString, person);
        QFETCH(int, command);
        const int id = lastId == QLatin1String("anna") ? m_anna : lastId.toInt();
        auto app = startWith(id, autoload);
        CMainFrame *frame = app->mainFrame();
        QVERIFY(frame->hadStoredPlacement());
        ModalCloser closer;
        frame->RunStartupAction();
        QCOMPARE(closer.seen, dialogs);
        QCOMPARE(app->document().personName(), person);
        QCOMPARE(app->document().currentCommand(), command);
        if (!person.isEmpty()) {
            QCOMPARE(frame->view()->sheet()->activePosition(), frame->page(kBirthChartPage)->sheetIndex());
            QCOMPARE(frame->mainBar()->personList()->currentText(), QStringLiteral("Anna Muller [Family ]"));
            QCOMPARE(frame->windowTitle(),
                     QStringLiteral("Anna Muller %1 - Quadrivium").arg(FormatDateValue(date(1984, 3, 7))));
            QVERIFY(!frame->textPane()->toPlainText().isEmpty()); // the birth chart's introduction
            QVERIFY(frame->registry().action(kBirthChartPage)->isChecked());
        } else {
            QCOMPARE(frame->view()->sheet()->activePosition(), int(CsheetWithTab::Introduction));
            QCOMPARE(frame->windowTitle(), QStringLiteral("Quadrivium"));
        }
    }

    void startupErrorReportedOnce()
    {
        QFile damaged(m_folder->persons);
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write(QByteArray(4096, 'x'));
        damaged.close();
        auto app = startWith(m_anna, 1);
        ModalCloser closer;
        app->mainFrame()->RunStartupAction();
        QCOMPARE(closer.seen.size(), 1);
        QVERIFY2(closer.seen.first().startsWith(QStringLiteral("QMessageBox: ")), qPrintable(closer.seen.first()));
        QVERIFY(!app->document().hasPerson());
        QCOMPARE(app->mainFrame()->mainBar()->personList()->count(), 0);
    }

    void closingWritesSettingsOnlyWhenChanged_data()
    {
        QTest::addColumn<bool>("showChart");
        QTest::addColumn<QString>("autoloadAfter");
        QTest::newRow("nothing changed") << false << "01";
        QTest::newRow("page shown") << true << "1";
    }

    void closingWritesSettingsOnlyWhenChanged()
    {
        QFETCH(bool, showChart);
        QFETCH(QString, autoloadAfter);
        // "01" reads as 1; only a rewrite turns it into "1".
        auto app = StartProgram([&](QSettings &s) {
            StoreStartSettings(s, 0, m_anna);
            s.setValue(QStringLiteral("Autoload"), QStringLiteral("01"));
        });
        CMainFrame *frame = app->mainFrame();
        if (showChart) {
            app->document().setCurrentPerson(QStringLiteral("Ben Ode"), date(1990, 11, 29), DateTimeValue());
            frame->RunCommand(kBirthChartPage);
        }
        frame->close();
        QSettings s;
        QCOMPARE(s.value(QStringLiteral("Autoload")).toString(), autoloadAfter);
        QCOMPARE(s.value(QStringLiteral("LastCommand")).toInt(), showChart ? int(kBirthChartPage) : 0);
    }

    void placementRoundTrip_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << false;
        QTest::newRow("maximised") << true;
    }

    void placementRoundTrip()
    {
        QFETCH(bool, maximized);
        const QRect normal(40, 50, 700, 500);
        {
            auto app = startWith(0);
            CMainFrame *frame = app->mainFrame();
            frame->showNormal();
            frame->setGeometry(normal);
            if (maximized)
                frame->showMaximized();
            QTRY_COMPARE(frame->isMaximized(), maximized);
            frame->close();
        }
        QSettings s;
        const auto stored = ParseWindowPlacement(s.value(QStringLiteral("Settings/WindowPos")).toString());
        QVERIFY(stored);
        QCOMPARE(stored->maximized(), maximized);
        QCOMPARE(bool(stored->flags & WindowPlacement::kRestoreToMaximized), maximized);
        QCOMPARE(stored->normal.size(), normal.size());

        auto app = StartProgram();
        QTRY_COMPARE(app->mainFrame()->isMaximized(), maximized);
        if (!maximized)
            QCOMPARE(app->mainFrame()->geometry().size(), normal.size());
    }

    void pageCommands()
    {
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        CQuadriviumDoc &doc = app->document();
        QVERIFY2(frame->page(kBirthChartPage), "the birth chart page is expected among the reading pages");
        // Without a person the page commands and Edit are off and do nothing.
        for (int id : {int(kBirthChartPage), int(kWalkthroughPage), int(kCmdEditFile)}) {
            if (QAction *a = frame->registry().action(id))
                QVERIFY2(!a->isEnabled(), qPrintable(QString::number(id)));
        }
        frame->RunCommand(kBirthChartPage);
        QCOMPARE(doc.currentCommand(), int(kNoPage));
        QVERIFY(frame->registry().action(kCmdOpen)->isEnabled());
        QVERIFY(frame->registry().action(kCmdNew)->isEnabled());
        doc.setCurrentPerson(QStringLiteral("Ben Ode"), date(1990, 11, 29), DateTimeValue());
        QVERIFY(frame->registry().action(kBirthChartPage)->isEnabled());
        QVERIFY(frame->registry().action(kCmdEditFile)->isEnabled());

        showAnnasChart(*app);
        QCOMPARE(doc.currentCommand(), int(kBirthChartPage));
        QCOMPARE(frame->view()->sheet()->activePosition(), frame->page(kBirthChartPage)->sheetIndex());
        QVERIFY(frame->registry().action(kBirthChartPage)->isChecked());
        QVERIFY(!frame->textPane()->toPlainText().isEmpty());
        QCOMPARE(frame->mainBar()->personList()->currentText(), QStringLiteral("Anna Muller [Family ]"));
        // Hosted in the sheet the page keeps its own grey face, on which the
        // white digits and lines of the chart show (it once took the view's).
        QCOMPARE(frame->page(kBirthChartPage)->grab().toImage().pixelColor(1, 1), QColor(192, 192, 192));
        // The birth chart keeps the splitter locked and gives its pane the chart's height.
        QVERIFY(frame->splitter()->isLocked());
        const int chartHeight = frame->page(kBirthChartPage)->preferredHeight();
        QVERIFY(chartHeight > 0);
        QVERIFY(frame->splitter()->sizes().at(0) >= chartHeight);
        QVERIFY(frame->splitter()->sizes().at(0) <= chartHeight + 60); // and the tab bar

        // The same command again does nothing: the emptied pane stays empty.
        frame->textPane()->clear();
        frame->RunCommand(kBirthChartPage);
        QVERIFY(frame->textPane()->toPlainText().isEmpty());

        if (frame->page(kWalkthroughPage)) {
            // The walkthrough command only brings its page to the front:
            // the text pane keeps what it shows.
            frame->RunCommand(kWalkthroughPage);
            QVERIFY(frame->textPane()->toPlainText().isEmpty());
            QCOMPARE(doc.currentCommand(), int(kWalkthroughPage));
            QCOMPARE(frame->view()->sheet()->activePosition(), frame->page(kWalkthroughPage)->sheetIndex());
            QVERIFY(!frame->registry().action(kBirthChartPage)->isChecked());
            QVERIFY(frame->registry().action(kWalkthroughPage)->isChecked());
            QVERIFY(frame->splitter()->isLocked());
        }

        // A tab chosen directly runs its page command.
        frame->view()->sheet()->setCurrentWidget(frame->page(kBirthChartPage));
        QCOMPARE(doc.currentCommand(), int(kBirthChartPage));
        frame->view()->ShowPage(CsheetWithTab::Introduction);
        QCOMPARE(frame->view()->introPage()->grab().toImage().pixelColor(1, 1), QColor(128, 128, 128));
        QCOMPARE(doc.currentCommand(), int(kNoPage));
    }

    void personList()
    {
        const auto twin = PersonStore(m_folder->persons).addPerson(
            {QStringLiteral("Ode"), QStringLiteral("Ben"), date(1960, 1, 2), DateTimeValue(), QString()});
        QVERIFY(twin.ok());
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        CQuadriviumDoc &doc = app->document();
        QComboBox *list = frame->mainBar()->personList();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(0), QStringLiteral("Anna Muller [Family ]"));
        QCOMPARE(list->itemText(1), QStringLiteral("Ben Ode"));
        QCOMPARE(list->itemText(2), QStringLiteral("Ben Ode"));
        const int ben = list->findData(m_ben);
        const int other = list->findData(twin->id);
        QVERIFY(ben > 0 && other > 0 && ben != other);

        // Regression: on the introduction and the walkthrough the list did
        // nothing. From the introduction the person's birth chart opens.
        choose(list, ben);
        QCOMPARE(doc.personName(), QStringLiteral("Ben Ode"));
        QCOMPARE(doc.currentCommand(), int(kBirthChartPage));
        if (auto *walk = qobject_cast<CKnowHow *>(frame->page(kWalkthroughPage))) {
            frame->RunCommand(kWalkthroughPage);
            const QString before = walk->lineText(1046);
            choose(list, list->findData(m_anna));
            QCOMPARE(doc.personName(), QStringLiteral("Anna Muller"));
            QCOMPARE(doc.currentCommand(), int(kWalkthroughPage));
            QCOMPARE(walk->lineText(1046), QStringLiteral("07.03.1984"));
            QVERIFY(before != walk->lineText(1046));
        }

        showAnnasChart(*app);
        choose(list, ben);
        QCOMPARE(doc.personName(), QStringLiteral("Ben Ode"));
        QCOMPARE(doc.birthDate(), date(1990, 11, 29));
        QCOMPARE(doc.settings().value(DocumentSettings::LastID), m_ben);
        QCOMPARE(doc.currentCommand(), int(kBirthChartPage)); // rebuilt, still showing
        QCOMPARE(list->currentText(), QStringLiteral("Ben Ode"));
        QVERIFY(frame->windowTitle().startsWith(QStringLiteral("Ben Ode ")));

        // Entries are told apart by ID: choosing the second of two persons
        // with the same label once did nothing.
        choose(list, other);
        QCOMPARE(doc.settings().value(DocumentSettings::LastID), twin->id);
        QCOMPARE(doc.birthDate(), date(1960, 1, 2));
        choose(list, ben);
        QCOMPARE(doc.birthDate(), date(1990, 11, 29));

        // Typing the start of a name chooses the next person so named, in
        // any letter case, and opens the reading as a click does.
        QTest::keyClicks(list, QStringLiteral("an"));
        QCOMPARE(list->currentIndex(), 0);
        QCOMPARE(doc.personName(), QStringLiteral("Anna Muller"));
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(list, QStringLiteral("B"));
        QCOMPARE(list->currentText(), QStringLiteral("Ben Ode"));
        QCOMPARE(doc.personName(), QStringLiteral("Ben Ode"));

        // Regression: the list keeps the rows it read while the file is
        // unchanged; a person another instance adds must still appear at
        // the next choice.
        QVERIFY(PersonStore(m_folder->persons)
                    .addPerson({QStringLiteral("Abel"), QStringLiteral("Cara"), date(1970, 5, 6), DateTimeValue(),
                                QString()})
                    .ok());
        choose(list, list->findData(m_anna));
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->itemText(0), QStringLiteral("Cara Abel"));
        QCOMPARE(list->currentText(), QStringLiteral("Anna Muller [Family ]"));
    }

    // The pyramid in the window: its introduction, a clicked climax's text
    // recorded as the text being shown, a person chosen in the list, and a
    // picture of the page saved or refused with the file's name.
    void pyramidPage()
    {
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        CQuadriviumDoc &doc = app->document();
        QAction *save = frame->registry().action(kCmdSavePicture);
        QVERIFY(!save->isEnabled()); // the introduction is no reading
        showAnnasChart(*app);
        QVERIFY(save->isEnabled());
        frame->RunCommand(kPyramidPage);
        auto *pyramid = qobject_cast<CPyramide *>(frame->page(kPyramidPage));
        QVERIFY(pyramid);
        QCOMPARE(frame->view()->sheet()->activePosition(), frame->page(kPyramidPage)->sheetIndex());
        QCOMPARE(std::pair(doc.editTable, doc.editNumberId), std::pair(0, 3));
        const QString intro = frame->textPane()->toPlainText();
        QVERIFY(!intro.isEmpty());

        // Anna, 7 March 1984: climaxes 1, 2, 3 and 7.
        QTest::mouseClick(pyramid, Qt::LeftButton, {}, pyramid->controlRect(3001).center());
        QTRY_COMPARE(std::pair(doc.editTable, doc.editNumberId), std::pair(2, 7));
        QVERIFY(frame->textPane()->toPlainText() != intro);

        QComboBox *list = frame->mainBar()->personList();
        choose(list, list->findData(m_ben));
        QCOMPARE(doc.currentCommand(), int(kPyramidPage));
        QCOMPARE(pyramid->controlText(10001), QStringLiteral("Ben Ode"));
        QCOMPARE(pyramid->controlText(3001), QStringLiteral("3")); // 29 November 1990
        QCOMPARE(frame->textPane()->toPlainText(), intro);

        ModalCloser closer;
        const QString blocked = m_folder->filePath(QStringLiteral("persons.mdb/pyramid.png"));
        QVERIFY(!SavePictureAs(frame, *pyramid, blocked));
        QCOMPARE(closer.seen.size(), 1);
        QVERIFY2(closer.seen.first().contains(QDir::toNativeSeparators(blocked)), qPrintable(closer.seen.first()));
        const QString written = m_folder->filePath(QStringLiteral("pyramid.png"));
        QVERIFY(SavePictureAs(frame, *pyramid, written));
        QCOMPARE(QImage(written).size(), pyramid->size() * pyramid->devicePixelRatio());
    }

    // A person saved from within the Open dialog or the start-up dialog (its
    // Edit or New) is the current person even when the dialog is then
    // cancelled: list, title and page show that person. Regression: the
    // start-up dialog left the list without the new person.
    void personSavedInCancelledDialog_data()
    {
        QTest::addColumn<bool>("atStartup");
        QTest::newRow("Open") << false;
        QTest::newRow("start-up dialog") << true;
    }

    void personSavedInCancelledDialog()
    {
        QFETCH(bool, atStartup);
        auto app = atStartup ? startWith(999, 1) : startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        CQuadriviumDoc &doc = app->document();
        if (!atStartup)
            showAnnasChart(*app);
        QTimer::singleShot(50, [&] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            const auto cleo = PersonStore(m_folder->persons).addPerson(
                {QStringLiteral("Neu"), QStringLiteral("Cleo"), date(2001, 5, 4), DateTimeValue(), QString()});
            QVERIFY(cleo.ok());
            doc.settings().set(DocumentSettings::LastID, cleo->id);
            doc.setCurrentPerson(QStringLiteral("Cleo Neu"), date(2001, 5, 4), DateTimeValue());
            qobject_cast<QDialog *>(w)->reject();
        });
        if (atStartup)
            frame->RunStartupAction();
        else
            frame->RunCommand(kCmdOpen);
        QCOMPARE(doc.personName(), QStringLiteral("Cleo Neu"));
        QCOMPARE(frame->mainBar()->personList()->currentText(), QStringLiteral("Cleo Neu"));
        QVERIFY(frame->windowTitle().startsWith(QStringLiteral("Cleo Neu ")));
        QCOMPARE(frame->view()->sheet()->activePosition(), frame->page(kBirthChartPage)->sheetIndex());
        auto *birthChart = qobject_cast<CChart *>(frame->page(kBirthChartPage));
        QVERIFY(birthChart);
        QCOMPARE(birthChart->controlText(10001), QStringLiteral("Cleo Neu"));
    }

    // Regression: the deleted current person's chart and title stayed on
    // screen. The window returns to the introduction without a person.
    void currentPersonDeleted_data()
    {
        QTest::addColumn<bool>("inDialog");
        QTest::newRow("in the Open dialog") << true;
        QTest::newRow("by another instance") << false;
    }

    void currentPersonDeleted()
    {
        QFETCH(bool, inDialog);
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        CQuadriviumDoc &doc = app->document();
        showAnnasChart(*app);
        const auto remove = [&] {
            QCOMPARE(PersonStore(m_folder->persons).deleteRow(m_anna).value(), DeleteOutcome::Deleted);
        };
        if (inDialog) {
            QTimer::singleShot(50, [&] {
                remove();
                qobject_cast<QDialog *>(QApplication::activeModalWidget())->reject();
            });
            frame->RunCommand(kCmdOpen);
        } else {
            remove();
        }
        QTRY_VERIFY(!doc.hasPerson());
        QCOMPARE(doc.currentCommand(), int(kNoPage));
        QCOMPARE(frame->view()->sheet()->activePosition(), int(CsheetWithTab::Introduction));
        QCOMPARE(frame->windowTitle(), QStringLiteral("Quadrivium"));
        QCOMPARE(frame->mainBar()->personList()->findData(m_anna), -1);
    }

    // Regression: the start-up picture stayed on top of the start-up dialog
    // and the tip of the day.
    void splashGivesWayToDialogs()
    {
        QPointer<CSplash> splash = new CSplash;
        splash->ShowOver(nullptr);
        QVERIFY(splash->isVisible());
        QDialog dialog;
        dialog.show();
        QTRY_VERIFY(!splash || !splash->isVisible());
    }

    void calendarCommands_data()
    {
        QTest::addColumn<DateTimeValue>("from");
        QTest::addColumn<int>("command");
        QTest::addColumn<DateTimeValue>("to");
        QTest::newRow("day 15") << date(2001, 1, 29) << int(kCmdFirstDay + 14) << date(2001, 1, 15);
        QTest::newRow("day 31") << date(2001, 1, 2) << int(kCmdLastDay) << date(2001, 1, 31);
        QTest::newRow("back from 1 March") << date(2001, 3, 1) << int(kCmdBack) << date(2001, 2, 1);
        // Back and Forward go by calendar months; a day the month lacks is
        // held to its last day (once they moved by month lengths and landed
        // on 2 or 3 March).
        QTest::newRow("back from 30 March") << date(2026, 3, 30) << int(kCmdBack) << date(2026, 2, 28);
        QTest::newRow("back from 31 March leap") << date(2000, 3, 31) << int(kCmdBack) << date(2000, 2, 29);
        QTest::newRow("forward from 30 March") << date(2026, 3, 30) << int(kCmdForward) << date(2026, 4, 30);
        QTest::newRow("forward from 31 May") << date(2026, 5, 31) << int(kCmdForward) << date(2026, 6, 30);
        QTest::newRow("back over new year") << date(2001, 1, 10) << int(kCmdBack) << date(2000, 12, 10);
        QTest::newRow("forward over new year") << date(2001, 12, 31) << int(kCmdForward) << date(2002, 1, 31);
        QTest::newRow("forward from 29 January") << date(2001, 1, 29) << int(kCmdForward) << date(2001, 2, 28);
        QTest::newRow("weekday header inert") << date(2001, 1, 29) << int(kCmdSunday) << date(2001, 1, 29);
    }

    void calendarCommands()
    {
        QFETCH(DateTimeValue, from);
        QFETCH(int, command);
        QFETCH(DateTimeValue, to);
        auto app = startWith(0);
        CMainFrame *frame = app->mainFrame();
        app->document().setChosenDay(from);
        frame->calendarBar()->RefillCalendar(from);
        frame->registry().action(command)->trigger();
        QCOMPARE(app->document().chosenDay(), to);
        QCOMPARE(frame->calendarBar()->shownMonth(), date(to.year(), to.month(), 1));
        QCOMPARE(frame->calendarBar()->dateField()->text(), CDateText(to).GetDateText());
        for (int d = 1; d <= 31; ++d)
            QCOMPARE(frame->registry().action(kCmdFirstDay + d - 1)->isChecked(), d == to.day());
    }

    // The calendar bar once floated at screen width - 200 and was wider than
    // that, so its last columns and Forward were off the screen.
    void calendarInsideTheScreen_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::newRow("1280x800") << QRect(0, 0, 1280, 800);
        QTest::newRow("1280x800 at scale 2") << QRect(0, 0, 640, 400);
    }

    void calendarInsideTheScreen()
    {
        QFETCH(QRect, area);
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        showAnnasChart(*app);
        frame->RunCommand(kBiorhythmPage);
        CCalendarBar *bar = frame->calendarBar();
        frame->registry().action(kCmdCalendarBar)->trigger();
        // Docked above the pages by default.
        QVERIFY(bar->isVisible());
        QVERIFY(!bar->isFloating());
        QCOMPARE(frame->dockWidgetArea(bar), Qt::TopDockWidgetArea);
        // Floated where the old default put it, it is brought inside.
        bar->setFloating(true);
        bar->move(area.right() - 200, area.top() + area.height() / 3);
        KeepInside(*bar, area);
        QVERIFY(area.contains(bar->frameGeometry()));
        QVERIFY(bar->width() > 200);
    }

    void floatingCalendarRemembered()
    {
        QRect floated;
        {
            auto app = startWith(m_anna);
            CMainFrame *frame = app->mainFrame();
            showAnnasChart(*app);
            frame->RunCommand(kBiorhythmPage);
            frame->calendarBar()->show();
            frame->calendarBar()->setFloating(true);
            frame->calendarBar()->move(frame->geometry().topLeft() + QPoint(60, 80));
            floated = frame->calendarBar()->geometry();
            frame->close();
        }
        auto app = startWith(m_anna);
        CCalendarBar *bar = app->mainFrame()->calendarBar();
        QVERIFY(bar->isFloating());
        QCOMPARE(bar->geometry().topLeft(), floated.topLeft());
    }

    void dateFieldRefusesFalseInput()
    {
        auto app = startWith(0);
        CCalendarBar *bar = app->mainFrame()->calendarBar();
        app->document().setChosenDay(date(2010, 6, 15));
        bar->show();
        CDateEdit *field = bar->dateField();

        // Regression: a date the locale cannot read must not set the chosen day to 0.
        field->setText(QStringLiteral("99.99.9999"));
        ModalCloser closer;
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_COMPARE(closer.seen.size(), 1);
        QCOMPARE(closer.seen.first(), QStringLiteral("QMessageBox: False Input"));
        QCOMPARE(app->document().chosenDay(), date(2010, 6, 15));

        field->setText(CDateText(date(2001, 9, 29)).GetDateText());
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(app->document().chosenDay(), date(2001, 9, 29));
        QCOMPARE(bar->blankCount(), 6); // 1 September 2001 was a Saturday
        QCOMPARE(closer.seen.size(), 1);
    }

    /// The texts the pane shows for the biorhythm classes of `day`.
    static QString biorhythmTexts(const DateTimeValue &born, const DateTimeValue &day)
    {
        QTextEdit expected;
        const Status shown = ShowTextTriple(expected, 3, Classify(born, day, 23), Classify(born, day, 28),
                                            Classify(born, day, 33));
        return shown.ok() ? expected.toPlainText() : QString();
    }

    void biorhythmReading()
    {
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        CQuadriviumDoc &doc = app->document();
        auto *bio = qobject_cast<CBiorythmus *>(frame->page(kBiorhythmPage));
        QVERIFY(bio);
        QAction *calendarSwitch = frame->registry().action(kCmdCalendarBar);
        showAnnasChart(*app);
        QVERIFY(!calendarSwitch->isEnabled());
        doc.setChosenDay(date(2026, 3, 3));

        frame->RunCommand(kBiorhythmPage);
        QCOMPARE(frame->view()->sheet()->activePosition(), frame->page(kBiorhythmPage)->sheetIndex());
        QVERIFY(calendarSwitch->isEnabled());
        const QString anna = biorhythmTexts(date(1984, 3, 7), date(2026, 3, 3));
        QVERIFY(!anna.isEmpty());
        QCOMPARE(frame->textPane()->toPlainText(), anna);

        // Clicking the chosen day again in the calendar shows its texts anew.
        frame->textPane()->clear();
        frame->registry().action(kCmdFirstDay + 2)->trigger();
        QCOMPARE(frame->textPane()->toPlainText(), anna);
        // The calendar's day tooltips name the date and the critical curves
        // of the current person, as the day strip's do.
        QCOMPARE(frame->calendarBar()->dayTooltip(3), bio->dayTooltip(3));
        QVERIFY(bio->dayTooltip(3).startsWith(QLocale().toString(QDate(2026, 3, 3), QLocale::LongFormat)));
        // Forward moves graph, strip and texts to the next month.
        frame->registry().action(kCmdForward)->trigger();
        QCOMPARE(bio->graphControl()->graph().monthStart(), date(2026, 4, 1));
        QVERIFY(bio->dayButton(3)->isChecked());
        QCOMPARE(frame->textPane()->toPlainText(), biorhythmTexts(date(1984, 3, 7), date(2026, 4, 3)));

        // Guards against a typed date that moves only the calendar and leaves
        // the graph and the texts on the day before until a day is clicked.
        frame->calendarBar()->dateField()->setText(CDateText(date(2026, 5, 20)).GetDateText());
        QTest::keyClick(frame->calendarBar()->dateField(), Qt::Key_Return);
        QCOMPARE(bio->graphControl()->graph().presentDay(), date(2026, 5, 20));
        QCOMPARE(frame->textPane()->toPlainText(), biorhythmTexts(date(1984, 3, 7), date(2026, 5, 20)));
        frame->registry().action(kCmdFirstDay + 2)->trigger();

        // The page's "Calendar" shows the bar; the birth chart hides it and
        // the chosen day outlives the switch.
        emit bio->calendarRequested();
        QVERIFY(frame->calendarBar()->isVisible());
        frame->RunCommand(kBirthChartPage);
        QVERIFY(frame->calendarBar()->isHidden());
        QVERIFY(!calendarSwitch->isEnabled());
        frame->RunCommand(kBiorhythmPage);
        QCOMPARE(doc.chosenDay(), date(2026, 5, 3));

        // Another person from the list: graph and texts follow.
        QComboBox *list = frame->mainBar()->personList();
        choose(list, list->findData(m_ben));
        QCOMPARE(bio->graphControl()->graph().birthDate(), date(1990, 11, 29));
        QCOMPARE(frame->textPane()->toPlainText(), biorhythmTexts(date(1990, 11, 29), date(2026, 5, 3)));
    }

    void settingsSheet()
    {
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        CQuadriviumDoc &doc = app->document();
        showAnnasChart(*app);
        frame->RunCommand(kBiorhythmPage);

        // While the biorhythm shows the sheet opens on "Biorhythm"; its
        // changes act at once and go again with Cancel.
        auto greenRows = [](QWidget *preview) {
            const QImage image = preview->grab().toImage();
            int rows = 0;
            for (int y = 0; y < image.height(); ++y)
                rows += image.pixelColor(image.width() / 2, y) == QColor(0, 255, 0) ? 1 : 0;
            return rows;
        };
        bool checked = false;
        QTimer::singleShot(50, [&] {
            auto *sheet = qobject_cast<CSetupSheet *>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            QCOMPARE(sheet->windowTitle(), QStringLiteral("Settings"));
            QCOMPARE(sheet->pages()->currentIndex(), int(CSetupSheet::Biorhythm));
            QSpinBox *width = sheet->widthSpin(Curve::Emotional);
            QSpinBox *style = sheet->styleSpin(Curve::Emotional);
            for (auto [spin, typed, kept] : {std::tuple{width, 9, 5}, {width, 0, 1}, {style, 7, 4}, {style, -2, 1}}) {
                spin->setValue(typed);
                QCOMPARE(spin->value(), kept);
            }
            QCOMPARE(greenRows(sheet->preview(Curve::Emotional)), 1);
            width->setValue(4);
            QCOMPARE(doc.settings().value(DocumentSettings::WidthEmotional), 4);
            QCOMPARE(greenRows(sheet->preview(Curve::Emotional)), 4);
            sheet->shownBox(Curve::Intellectual)->click();
            QVERIFY(!doc.showIntellectual);
            checked = true;
            sheet->reject();
        });
        frame->RunCommand(kCmdSettings);
        QVERIFY(checked);
        QCOMPARE(doc.settings().value(DocumentSettings::WidthEmotional), 1);
        QVERIFY(doc.showIntellectual);

        // Elsewhere it opens on "General"; quick view and the toolbar look
        // are taken over on OK only.
        frame->RunCommand(kBirthChartPage);
        for (bool accept : {false, true}) {
            checked = false;
            QTimer::singleShot(50, [&] {
                auto *sheet = qobject_cast<CSetupSheet *>(QApplication::activeModalWidget());
                QVERIFY(sheet);
                QCOMPARE(sheet->pages()->currentIndex(), int(CSetupSheet::General));
                sheet->quickViewBox()->setChecked(true);
                sheet->toolbarsBox()->setChecked(false);
                checked = true;
                accept ? sheet->accept() : sheet->reject();
            });
            frame->RunCommand(kCmdSettings);
            QVERIFY(checked);
            QCOMPARE(frame->settingsCommand()->quickView()->isVisible(), accept);
            QCOMPARE(frame->mainBar()->isFlat(), !accept);
        }
        QVERIFY(frame->settingsCommand()->quickView()->summary().startsWith(QStringLiteral("Anna Muller\n")));

        frame->close();
        QSettings s;
        QCOMPARE(s.value(QStringLiteral("QuickView")).toInt(), 1);
        QCOMPARE(s.value(QStringLiteral("Toolbars")).toInt(), 0);
    }

    // The Rules page: a choice taken over on OK counts the shown chart again
    // at once, is stated on the page and comes back in the next run;
    // Cancel changes nothing.
    void rulesPage()
    {
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        CQuadriviumDoc &doc = app->document();
        showAnnasChart(*app);
        auto *chart = qobject_cast<CChart *>(frame->page(kBirthChartPage));
        QVERIFY(chart);
        QVERIFY(chart->controlText(10003).isEmpty());
        for (bool accept : {false, true}) {
            bool checked = false;
            QTimer::singleShot(50, [&] {
                auto *sheet = qobject_cast<CSetupSheet *>(QApplication::activeModalWidget());
                QVERIFY(sheet);
                sheet->pages()->setCurrentIndex(CSetupSheet::Rules);
                QCOMPARE(sheet->accentsBox()->currentIndex(), 0);
                QCOMPARE(sheet->yBox()->currentIndex(), 0);
                sheet->yBox()->setCurrentIndex(1);
                checked = true;
                accept ? sheet->accept() : sheet->reject();
            });
            frame->RunCommand(kCmdSettings);
            QVERIFY(checked);
            QCOMPARE(doc.letterRules().y == YRule::VowelIfNeeded, accept);
            QCOMPARE(chart->controlText(10003).startsWith(QLatin1String("Rules: ")), accept);
        }
        frame->close();
        app.reset();
        auto again = startWith(m_anna);
        QCOMPARE(again->document().letterRules(), (LetterRules{AccentRule::Ignore, YRule::VowelIfNeeded}));
    }

    void settingsCancelRestores_data()
    {
        // Each row changes one value in the sheet: what the document holds
        // before, and what the change makes of it.
        QTest::addColumn<QString>("what");
        QTest::newRow("red width") << "WidthRed";
        QTest::newRow("blue style") << "StyleBlue";
        QTest::newRow("physical curve hidden") << "ShowRed";
        QTest::newRow("autoload") << "Autoload";
        QTest::newRow("quick view") << "QuickView";
        QTest::newRow("toolbar look") << "Toolbars";
    }

    // Cancel once left the Biorhythm page's values and autoload changed.
    void settingsCancelRestores()
    {
        QFETCH(QString, what);
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        CQuadriviumDoc &doc = app->document();
        showAnnasChart(*app);
        frame->RunCommand(kBiorhythmPage);
        const auto value = [&]() -> int {
            if (what == QLatin1String("ShowRed"))
                return doc.showPhysical ? 1 : 0;
            for (int i = 0; i < DocumentSettings::Count; ++i) {
                if (what == QLatin1String(DocumentSettings::name(DocumentSettings::Value(i))))
                    return doc.settings().value(DocumentSettings::Value(i));
            }
            return -1;
        };
        const int before = value();
        for (bool accept : {false, true}) {
            bool changed = false;
            QTimer::singleShot(50, [&] {
                auto *sheet = qobject_cast<CSetupSheet *>(QApplication::activeModalWidget());
                QVERIFY(sheet);
                if (what == QLatin1String("WidthRed"))
                    sheet->widthSpin(Curve::Physical)->setValue(3);
                else if (what == QLatin1String("StyleBlue"))
                    sheet->styleSpin(Curve::Intellectual)->setValue(2);
                else if (what == QLatin1String("ShowRed"))
                    sheet->shownBox(Curve::Physical)->click();
                else if (what == QLatin1String("Autoload"))
                    sheet->autoloadBox()->click();
                else if (what == QLatin1String("QuickView"))
                    sheet->quickViewBox()->click();
                else
                    sheet->toolbarsBox()->click();
                changed = true;
                accept ? sheet->accept() : sheet->reject();
            });
            frame->RunCommand(kCmdSettings);
            QVERIFY(changed);
            QCOMPARE(value() != before, accept);
        }
        // Taken over with OK, the value is on disk at once, before closing.
        QSettings stored;
        QCOMPARE(stored.value(what).toInt(), value());
        QVERIFY(stored.value(what).toInt() != before);
    }

    // The hot spots of a page were out of reach of the keyboard.
    void hotSpotByKeyboard_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("birth chart") << int(kBirthChartPage);
        QTest::newRow("pyramid") << int(kPyramidPage);
    }

    void hotSpotByKeyboard()
    {
        QFETCH(int, command);
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        CQuadriviumDoc &doc = app->document();
        showAnnasChart(*app);
        frame->RunCommand(command);
        auto *page = qobject_cast<CDesignedPage *>(frame->page(command));
        QVERIFY(page);
        frame->activateWindow();
        page->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(page->hasFocus());
        const int first = page->hotSpots().focusedSpot();
        QVERIFY(first != 0);
        QTest::keyClick(page, Qt::Key_Tab);
        const int second = page->hotSpots().focusedSpot();
        QVERIFY(second != 0 && second != first);
        // The frame marks the spot the keyboard is on.
        auto *mark = page->findChild<QWidget *>(QStringLiteral("focusFrame"));
        QVERIFY(mark && mark->isVisible());
        QVERIFY(mark->geometry().contains(page->hotSpots().rectOf(second)));

        frame->textPane()->clear();
        QTest::keyClick(page, Qt::Key_Return);
        QTRY_VERIFY(!frame->textPane()->toPlainText().isEmpty());
        const QString byKey = frame->textPane()->toPlainText();
        const std::pair<int, int> record{doc.editTable, doc.editNumberId};
        // A click on the same spot shows the same text.
        QTest::mouseClick(page, Qt::LeftButton, {}, page->hotSpots().rectOf(first).center());
        QTRY_VERIFY(frame->textPane()->toPlainText() != byKey);
        QTest::mouseClick(page, Qt::LeftButton, {}, page->hotSpots().rectOf(second).center());
        QTRY_COMPARE(frame->textPane()->toPlainText(), byKey);
        QCOMPARE(std::make_pair(doc.editTable, doc.editNumberId), record);
        // Back-tab returns to the first spot.
        QTest::keyClick(page, Qt::Key_Backtab);
        QCOMPARE(page->hotSpots().focusedSpot(), first);
    }

    // Regression: a hot spot whose text is missing from the text database
    // did nothing at all.
    void missingTextSaysSo()
    {
        auto app = startWith(m_anna);
        CMainFrame *frame = app->mainFrame();
        showAnnasChart(*app);
        frame->textPane()->clear();
        emit frame->page(kBirthChartPage)->textRequested(1, 999);
        QCOMPARE(frame->textPane()->toPlainText(), QStringLiteral("No text is stored for this number."));
    }

    void tooltipsFromStringTable()
    {
        auto app = startWith(0);
        for (int id : {int(kCmdNew), int(kCmdOpen), int(kCmdAbout), int(kCmdHelpTopics), int(kBirthChartPage),
                       int(kCmdBack), int(kCmdSunday)}) {
            QAction *a = app->mainFrame()->registry().action(id);
            QVERIFY2(a && HasString(id), qPrintable(QString::number(id)));
            QCOMPARE(a->toolTip(), LoadString(id).left(79));
            QCOMPARE(a->statusTip(), LoadString(id).left(79));
        }
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
