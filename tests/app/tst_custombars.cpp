// The customisable bars: the chart-line bar and the calendar's day buttons,
// their customisation dialog and the settings they are kept in.

#include "app/barbuttons.h"
#include "app/barcustomizedialog.h"
#include "app/calendarbar.h"
#include "app/chartlinebar.h"
#include "app/commandregistry.h"
#include "app/daybarsettings.h"
#include "app/mainframe.h"
#include "app/quadriviumapp.h"
#include "app/richview.h"
#include "apptestsupport.h"

#include "output/stringtable.h"
#include "pages/quadriviumdoc.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace quadrivium;

namespace {

std::vector<BarButton> threeButtons()
{
    return {{1, QStringLiteral("one"), {}}, {2, QStringLiteral("two"), {}}, {3, QStringLiteral("three"), {}}};
}

} // namespace

class TestCustomBars : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;

private slots:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        QVERIFY(m_folder->ok());
    }

    void cleanup() { m_folder.reset(); }

    // The stored list: ids the bar does not offer and repeats are dropped,
    // an empty list is a bar without buttons, no value keeps the default.
    void storedButtons_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("nothing stored") << QVariant() << QList<int>{1, 2, 3};
        QTest::newRow("reordered") << QVariant(QStringLiteral("3,1")) << QList<int>{3, 1};
        QTest::newRow("unknown and repeated ids") << QVariant(QStringLiteral("2,9,2,x,1")) << QList<int>{2, 1};
        QTest::newRow("empty") << QVariant(QString()) << QList<int>{};
    }

    void storedButtons()
    {
        QFETCH(QVariant, stored);
        QFETCH(QList<int>, shown);
        QSettings settings;
        if (stored.isValid())
            settings.setValue(QStringLiteral("Standard Tool Bar"), stored);
        BarButtons buttons(QStringLiteral("Standard Tool Bar"), threeButtons());
        buttons.restore(settings);
        QCOMPARE(buttons.shown(), shown);
        buttons.save(settings);
        BarButtons again(QStringLiteral("Standard Tool Bar"), threeButtons());
        again.restore(settings);
        QCOMPARE(again.shown(), shown);
    }

    void customizeDialog()
    {
        BarButtons buttons(QStringLiteral("Palette Tool Bar"), threeButtons());
        buttons.setShown({1, 3});
        {
            CBarCustomizeDialog dialog(buttons, QStringLiteral("Bar"));
            QCOMPARE(dialog.chosen(), (QList<int>{1, 3}));
            dialog.addSelected(); // "two" after "one", the selected current button
            QCOMPARE(dialog.chosen(), (QList<int>{1, 2, 3}));
            dialog.moveSelected(1);
            QCOMPARE(dialog.chosen(), (QList<int>{1, 3, 2}));
            dialog.moveSelected(1); // already last
            QCOMPARE(dialog.chosen(), (QList<int>{1, 3, 2}));
            dialog.removeSelected();
            dialog.removeSelected();
            QCOMPARE(dialog.chosen(), (QList<int>{1}));
            dialog.reject();
        }
        QCOMPARE(buttons.shown(), (QList<int>{1, 3})); // Cancel keeps the bar as it was
        CBarCustomizeDialog dialog(buttons, QStringLiteral("Bar"));
        dialog.resetToDefault();
        dialog.moveSelected(1);
        dialog.accept();
        QCOMPARE(buttons.shown(), (QList<int>{2, 1, 3}));
    }

    void chartLineBar()
    {
        auto app = StartProgram();
        CMainFrame *frame = app->mainFrame();
        CChartLineBar *bar = frame->chartLineBar();
        QStringList texts;
        for (QAction *a : bar->actions())
            texts << a->text();
        QCOMPARE(texts, (QStringList{"Intellect", "Emotional Stability", "Pragmatism", "Planner", "Will",
                                     "Activity", "Spirituality", "Determination", "Poor Memory",
                                     "Emotional Vulnerability", "Frustration", "Scepticism", "Indecision",
                                     "Confusion", "Impracticality", "Passiveness"}));

        // Shown and hidden from View > Toolbars.
        bool inMenu = false;
        for (QMenu *menu : frame->menuBar()->findChildren<QMenu *>())
            inMenu = inMenu || menu->actions().contains(bar->toggleViewAction());
        QVERIFY(inMenu);

        // A click shows the line's "Chart" text.
        frame->registry().action(5009)->trigger(); // Emotional Vulnerability: missing 2-5-8
        QCOMPARE(app->document().editTable, 1);
        QCOMPARE(app->document().editNumberId, 10);
        QVERIFY(!frame->textPane()->toPlainText().isEmpty());
        frame->registry().action(5015)->trigger(); // Passiveness: missing 7-8-9
        QCOMPARE(app->document().editNumberId, 16);
        QVERIFY(frame->textPane()->toPlainText().contains(QStringLiteral("7-8-9")));

        // A customised bar is kept and comes back in the next run.
        bar->buttons().setShown({5011, 5000});
        bar->ApplyButtons();
        QSettings settings;
        bar->buttons().save(settings);
        QCOMPARE(settings.value(QStringLiteral("Standard Tool Bar")).toString(), QStringLiteral("5011,5000"));
        frame->close();
        app.reset();
        auto again = StartProgram();
        QList<QAction *> actions = again->mainFrame()->chartLineBar()->actions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions[0]->text(), QStringLiteral("Scepticism"));
    }

    // The calendar takes its columns from "General"/"Columns" and its day
    // buttons from "Palette Tool Bar".
    void calendarDays_data()
    {
        QTest::addColumn<QVariant>("columns");
        QTest::addColumn<QVariant>("days");
        QTest::addColumn<int>("expectedColumns");
        QTest::addColumn<QList<int>>("shown");
        QList<int> all;
        for (int d = 0; d < 31; ++d)
            all << kCmdFirstDay + d;
        // 1 March 2001 was a Thursday: four blank cells under the weekdays.
        QTest::newRow("default") << QVariant() << QVariant() << 7 << all;
        QTest::newRow("five columns") << QVariant(5) << QVariant() << 5 << all;
        QTest::newRow("out of range columns") << QVariant(40) << QVariant() << 7 << all;
        QTest::newRow("customised days") << QVariant() << QVariant(QStringLiteral("2782,2780"))
                                         << 7 << QList<int>{2782, 2780};
    }

    void calendarDays()
    {
        QFETCH(QVariant, columns);
        QFETCH(QVariant, days);
        QFETCH(int, expectedColumns);
        QFETCH(QList<int>, shown);
        auto app = StartProgram([&](QSettings &s) {
            if (columns.isValid())
                s.setValue(QStringLiteral("General/Columns"), columns);
            if (days.isValid())
                s.setValue(QStringLiteral("Palette Tool Bar"), days);
        });
        CCalendarBar *bar = app->mainFrame()->calendarBar();
        QCOMPARE(CDayBarSettings::StoredColumns(QSettings()), expectedColumns);
        bar->SetLayout(expectedColumns, bar->shownDays());
        QCOMPARE(bar->columns(), expectedColumns);
        // Each refill lays the month out in weeks again, under the weekdays.
        bar->RefillCalendar(DateTimeValue::fromFields(2001, 3, 1));
        QCOMPARE(bar->columns(), 7);
        QCOMPARE(bar->blankCount(), 4);
        QCOMPARE(bar->shownDays(), shown);
        // The bar's context menu opens the customisation.
        QString opened;
        QTimer::singleShot(50, [&] {
            if (auto *dialog = qobject_cast<CBarCustomizeDialog *>(QApplication::activeModalWidget())) {
                opened = dialog->windowTitle();
                dialog->reject();
            }
        });
        bar->actions().value(0)->trigger();
        QCOMPARE(opened, QStringLiteral("Customize Toolbar - Calendar"));
    }
};

QTEST_MAIN(TestCustomBars)
#include "tst_custombars.moc"
