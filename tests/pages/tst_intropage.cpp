// The introduction page: grey surface that follows its pane, Open command.

#include "pages/intropage.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace quadrivium;

class TestIntroPage : public QObject {
    Q_OBJECT
private slots:
    void greySurface()
    {
        CIntro page;
        page.resize(120, 80);
        QVERIFY(page.autoFillBackground());
        const QImage image = page.grab().toImage();
        QCOMPARE(image.pixelColor(60, 40), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(0, 0), QColor(128, 128, 128));
    }

    void followsPaneSize()
    {
        QWidget pane;
        auto *layout = new QVBoxLayout(&pane);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *page = new CIntro(&pane);
        layout->addWidget(page);
        pane.resize(300, 200);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QCOMPARE(page->geometry(), QRect(0, 0, 300, 200));
        pane.resize(517, 233);
        QTRY_COMPARE(page->geometry(), QRect(0, 0, 517, 233));
    }

    void openCommandAsksTheWindow()
    {
        CIntro page;
        QSignalSpy spy(&page, &CIntro::openRequested);
        QVERIFY(page.openAction()->isEnabled());
        page.openAction()->trigger();
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(TestIntroPage)
#include "tst_intropage.moc"
