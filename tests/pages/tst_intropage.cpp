// The introduction page: its grey surface, its note and its Open command.

#include "pages/intropage.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace quadrivium;

class TestIntroPage : public QObject {
    Q_OBJECT
private slots:
    void greySurface()
    {
        CIntro page;
        page.resize(640, 400);
        QVERIFY(page.autoFillBackground());
        const QImage image = page.grab().toImage();
        QCOMPARE(image.pixelColor(0, 0), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(320, 395), QColor(128, 128, 128));
    }

    // The note stays a few lines at the top and wraps, so that it neither
    // pushes the page wider than a small window nor fills the pane.
    void noteFitsAboveTheText()
    {
        CIntro page;
        page.resize(640, 400);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QLabel *note = page.note();
        QVERIFY(note->isVisible());
        QVERIFY(!note->text().isEmpty());
        QCOMPARE(note->y(), 12);
        QVERIFY2(note->height() < 200, qPrintable(QString::number(note->height())));
        QVERIFY(page.minimumSizeHint().width() < 320);
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
