// The menu entry and the AppStream metadata pass their validators (each
// check is skipped where its validator is not installed).

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class TestDesktopFiles : public QObject {
    Q_OBJECT
private slots:
    void validators_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry") << "desktop-file-validate"
                                       << QStringList{QStringLiteral(QUADRIVIUM_DESKTOP_ENTRY)};
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{"validate", "--no-net", QStringLiteral(QUADRIVIUM_METAINFO)};
    }

    void validators()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty())
            QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, arguments);
        QVERIFY(p.waitForFinished(60000));
        const QByteArray output = p.readAll();
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, output.constData());
    }
};

QTEST_GUILESS_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
