// The stored window placement text, the check of the stored bar layout and
// the fitting of windows into the screen.

#include "app/barlayout.h"
#include "app/screenfit.h"
#include "app/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <QMainWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace quadrivium;

class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QRect>("normal");
        QTest::newRow("normal") << "0,1,-1,-1,-1,-1,10,20,810,620" << true << false << QRect(10, 20, 800, 600);
        QTest::newRow("maximised") << "2,3,-1,-1,-8,-8,5,6,105,206" << true << true << QRect(5, 6, 100, 200);
        QTest::newRow("minimised from maximised") << "2,2,-1,-1,-1,-1,0,0,640,480" << true << true << QRect(0, 0, 640, 480);
        QTest::newRow("minimised from normal") << "0,2,-1,-1,-1,-1,0,0,640,480" << true << false << QRect(0, 0, 640, 480);
        QTest::newRow("blanks around numbers") << " 0, 1,-1,-1,-1,-1,0,0,640,480 " << true << false << QRect(0, 0, 640, 480);
        QTest::newRow("nine numbers") << "0,1,-1,-1,-1,-1,0,0,640" << false << false << QRect();
        QTest::newRow("eleven numbers") << "0,1,-1,-1,-1,-1,0,0,640,480,7" << false << false << QRect();
        QTest::newRow("letters") << "0,1,-1,-1,-1,-1,a,0,640,480" << false << false << QRect();
        QTest::newRow("empty") << "" << false << false << QRect();
        // Guards against restoring a window of no size, which could not be seen.
        QTest::newRow("empty rectangle") << "0,1,-1,-1,-1,-1,50,50,50,480" << false << false << QRect();
        QTest::newRow("negative flags") << "-1,1,-1,-1,-1,-1,0,0,640,480" << false << false << QRect();
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(bool, maximized);
        QFETCH(QRect, normal);
        const auto p = ParseWindowPlacement(text);
        QCOMPARE(p.has_value(), valid);
        if (!valid)
            return;
        QCOMPARE(p->maximized(), maximized);
        QCOMPARE(p->normal, normal);
    }

    void formatReadsBack()
    {
        WindowPlacement p;
        p.flags = WindowPlacement::kRestoreToMaximized;
        p.show = WindowPlacement::ShowMaximized;
        p.normal = QRect(-20, 30, 1000, 700);
        const QString text = FormatWindowPlacement(p);
        QCOMPARE(text, QStringLiteral("2,3,-1,-1,-1,-1,-20,30,980,730"));
        QCOMPARE(ParseWindowPlacement(text), std::optional<WindowPlacement>(p));
    }

    void fitIntoArea_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("fitted");
        const QRect small(0, 0, 1280, 800);
        const QRect half(0, 0, 640, 400); // 1280x800 at a scale of two
        QTest::newRow("inside stays") << QRect(10, 10, 300, 200) << small << QRect(10, 10, 300, 200);
        QTest::newRow("off the right edge") << QRect(1080, 300, 266, 250) << small << QRect(1014, 300, 266, 250);
        QTest::newRow("above and left") << QRect(-50, -20, 300, 200) << small << QRect(0, 0, 300, 200);
        QTest::newRow("larger than the screen") << QRect(0, 0, 2560, 1600) << half << QRect(0, 0, 640, 400);
        QTest::newRow("taller, lower down") << QRect(100, 300, 300, 930) << half << QRect(100, 0, 300, 400);
        QTest::newRow("area with a panel") << QRect(0, 0, 500, 500) << QRect(0, 30, 1280, 770)
                                           << QRect(0, 30, 500, 500);
    }

    void fitIntoArea()
    {
        QFETCH(QRect, rect);
        QFETCH(QRect, area);
        QFETCH(QRect, fitted);
        QCOMPARE(FitRectInto(rect, area), fitted);
        QVERIFY(area.contains(FitRectInto(rect, area)));
    }

    // A placement saved on a larger screen, or at a smaller scale, once came
    // back larger than the screen.
    void restoredPlacementFitsTheScreen()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        WindowPlacement p;
        p.normal = QRect(screen.topLeft() + QPoint(40, 40), screen.size() * 2);
        QWidget window;
        ApplyPlacement(window, p);
        // Frame and all.
        QCOMPARE(window.frameGeometry(), screen);
    }

    void checkBarState_data()
    {
        QTest::addColumn<QVariant>("bars");
        QTest::addColumn<bool>("kept");
        QTest::newRow("3 bars discarded") << QVariant(3) << false;
        QTest::newRow("4 bars kept") << QVariant(4) << true;
        QTest::newRow("6 bars kept") << QVariant(6) << true;
        QTest::newRow("7 bars discarded") << QVariant(7) << false;
        QTest::newRow("not a number discarded") << QVariant(QStringLiteral("x")) << false;
    }

    void checkBarState()
    {
        QFETCH(QVariant, bars);
        QFETCH(bool, kept);
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        QMainWindow window;
        SaveBarLayout(settings, window);
        settings.setValue(QStringLiteral("General-Summary/Bars"), bars);
        CheckBarState(settings);
        QCOMPARE(settings.contains(QStringLiteral("General-Summary/Bars")), kept);
        QCOMPARE(settings.contains(QStringLiteral("General/BarState")), kept);
        QCOMPARE(RestoreBarLayout(settings, window), kept);
    }
};

QTEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
