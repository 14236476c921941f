// The introduction page: its grey surface and its Open command.

#include "pages/intropage.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

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
