// Tip of the day: the reading rules of tips.txt, the kept place in the file
// and the dialog's Next Tip button.

#include "app/tipofday.h"

#include "output/stringtable.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace quadrivium;

class TestTipOfDay : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;

    QString writeTips(const QByteArray &content)
    {
        const QString path = m_dir->filePath(QStringLiteral("tips.txt"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    }

    void cleanup()
    {
        m_settings.reset();
        m_dir.reset();
    }

    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("shown"); // the first tip, then each Next Tip
        QTest::addColumn<bool>("canAdvance");
        QTest::newRow("skipped lines") << QByteArray(";comment\n leading blank\n\ttab\n\nFirst\nSecond\n")
                                       << QStringList{"First", "Second", "First"} << true;
        QTest::newRow("last line without line feed") << QByteArray("One\nTwo")
                                                     << QStringList{"One", "Two", "One"} << true;
        QTest::newRow("crlf lines") << QByteArray("First\r\n\r\n;x\r\nSecond\r\n")
                                    << QStringList{"First", "Second", "First"} << true;
        QTest::newRow("single tip") << QByteArray(";only one\nAlone\n") << QStringList{"Alone", "Alone"} << true;
        QTest::newRow("utf-8") << QByteArray("Umlaut \xc3\xa4\xc3\xb6\xc3\xbc\n") << QStringList{u"Umlaut äöü"_qs} << true;
        QTest::newRow("long line in pieces")
            << QByteArray(1500, 'x') + "\n"
            << QStringList{QString(1000, QLatin1Char('x')), QString(500, QLatin1Char('x')), QString(1000, QLatin1Char('x'))}
            << true;
        // Regression: a file with only skipped lines made the search loop for ever.
        QTest::newRow("no tip line") << QByteArray("; nothing\n indented\n\n") << QStringList{QString()} << false;
        QTest::newRow("empty file") << QByteArray() << QStringList{QString()} << false;
    }

    void readingRules()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, shown);
        QFETCH(bool, canAdvance);
        CTipOfDay tips(*m_settings, writeTips(content));
        QCOMPARE(tips.text(), shown.first());
        QCOMPARE(tips.canAdvance(), canAdvance);
        for (int i = 1; i < shown.size(); ++i) {
            tips.NextTip();
            QCOMPARE(tips.text(), shown.at(i));
        }
    }

    void missingFile()
    {
        CTipOfDay tips(*m_settings, m_dir->filePath(QStringLiteral("none.txt")));
        QCOMPARE(tips.text(), LoadString(108));
        QVERIFY(!tips.canAdvance());
    }

    void resumesWhereItStopped()
    {
        const QString path = writeTips("First\nSecond\nThird\n");
        {
            CTipOfDay tips(*m_settings, path);
            QCOMPARE(tips.text(), QStringLiteral("First"));
            tips.NextTip();
            QCOMPARE(tips.text(), QStringLiteral("Second"));
            tips.Close(true);
        }
        QCOMPARE(m_settings->value(QStringLiteral("Tip/FilePos")).toLongLong(), qint64(strlen("First\nSecond\n")));
        CTipOfDay again(*m_settings, path);
        QCOMPARE(again.text(), QStringLiteral("Third"));
    }

    void changedFileStartsAgain()
    {
        const QString path = writeTips("First\nSecond\n");
        {
            CTipOfDay tips(*m_settings, path);
            tips.Close(true);
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime));
        f.close();
        CTipOfDay tips(*m_settings, path);
        QCOMPARE(tips.text(), QStringLiteral("First"));
    }

    // Tips show at start-up until the dialog's box is cleared.
    void dialogNextTipAndStartupSwitch()
    {
        QVERIFY(CTipOfDay::ShowAtStartup(*m_settings)); // nothing stored: tips show
        const QString path = writeTips("First\nSecond\n");
        {
            CTipDialog dialog(*m_settings, path);
            QCOMPARE(dialog.tipText(), QStringLiteral("First"));
            QVERIFY(dialog.nextButton()->isEnabled());
            QTest::mouseClick(dialog.nextButton(), Qt::LeftButton);
            QCOMPARE(dialog.tipText(), QStringLiteral("Second"));
            dialog.startupBox()->setChecked(false);
            dialog.reject();
        }
        QCOMPARE(m_settings->value(QStringLiteral("Tip/StartUp")).toInt(), 1);
        QVERIFY(!CTipOfDay::ShowAtStartup(*m_settings));

        CTipDialog empty(*m_settings, writeTips(";none\n"));
        QVERIFY(!empty.nextButton()->isEnabled());
        QVERIFY(empty.tipText().isEmpty());
    }
};

QTEST_MAIN(TestTipOfDay)
#include "tst_tipofday.moc"
