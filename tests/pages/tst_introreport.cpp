// The introduction report: composed from the supplied texts, and written as
// a PDF file by the command line's report command.

#include "pages/introprintjob.h"
#include "store/connection.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "processrun.h"

using namespace quadrivium;

namespace {

QString suppliedTexts()
{
    return qEnvironmentVariable("QUADRIVIUM_BINARY_DIR") + QStringLiteral("/bin/Quadrivium.mdb");
}

QStringList textsOn(const CRecordedPage &page)
{
    QStringList texts;
    for (const RecordedItem &item : page.items())
        texts << item.text;
    return texts;
}

} // namespace

class TestIntroReport : public QObject {
    Q_OBJECT

    QString m_cli;

private slots:
    void initTestCase()
    {
        m_cli = qEnvironmentVariable("QUADRIVIUM_BINARY_DIR") + QStringLiteral("/bin/quadrivium-cli");
        QVERIFY2(QFile::exists(suppliedTexts()), "the supplied text database is built with the programs");
    }

    // The first introduction text on its text pages, then the contents page
    // naming the page its title stands on.
    void composesTheIntroduction()
    {
        CIntroPrintJob job(PrintSettings(), suppliedTexts());
        QVERIFY(job.Compose(QSize(2100, 2970)));
        QCOMPARE(job.graphicPages(), 0);
        QCOMPARE(job.lines().mid(0, 2).first(), QStringLiteral("<TITLE>"));
        QVERIFY(job.lines().at(1).startsWith(QStringLiteral("Welcome to Quadrivium")));
        QCOMPARE(job.contents().size(), 2);
        QCOMPARE(job.contents().at(1), QStringLiteral("1"));
        QVERIFY(job.pageCount() >= 2);
        QVERIFY(textsOn(*job.recorder().Page(0)).contains(job.lines().at(1)));
        const QStringList last = textsOn(*job.recorder().Page(job.pageCount() - 1));
        QVERIFY(last.contains(QStringLiteral("Content")));
        QVERIFY(last.contains(QStringLiteral("- %1 -").arg(job.pageCount())));
    }

    void missingDatabase()
    {
        QTemporaryDir dir;
        CIntroPrintJob job(PrintSettings(), dir.filePath(QStringLiteral("none.mdb")));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, job.Compose(QSize(2100, 2970)));
    }

    // The PDF of the command line: page count and size, and the page
    // numbers on every page but the first.
    void pdf_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("size"); // as pdfinfo gives it
        QTest::newRow("A4, default margins") << QStringList() << "595 x 842 pts (A4)";
        QTest::newRow("Letter, own margins") << QStringList{"--paper", "letter", "--margins", "10,20,10,20"}
                                             << "612 x 792 pts (letter)";
    }

    void pdf()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, size);
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdfinfo.isEmpty() || pdftotext.isEmpty())
            QSKIP("poppler-utils are not installed");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("intro.pdf"));
        const Run made = run(m_cli, QStringList{"report", "--reading", "intro", "--pdf", file, "--text-db",
                                                suppliedTexts()} + options);
        QCOMPARE(made.exitCode, 0);
        const int pages = made.out.section(QLatin1Char(' '), 0, 0).toInt();
        QVERIFY(pages >= 2);

        const QString info = run(pdfinfo, {file}).out;
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(info));
        QVERIFY2(info.contains(size), qPrintable(info));
        for (int page = 1; page <= pages; ++page) {
            const QString text = run(pdftotext, {"-f", QString::number(page), "-l", QString::number(page), file, "-"}).out;
            // The number's blanks come out of the PDF as narrow gaps or none.
            const QRegularExpression number(QStringLiteral("(^|\\n)\\s*-\\s*%1\\s*-\\s*(\\n|$)").arg(page));
            QCOMPARE(text.contains(number), page > 1);
            if (page == 1)
                QVERIFY(text.contains(QStringLiteral("Welcome to Quadrivium")));
            if (page == pages)
                QVERIFY(text.contains(QStringLiteral("Content")));
        }
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no reading") << QStringList{"report", "--pdf", "x.pdf"} << 2;
        QTest::newRow("unknown reading") << QStringList{"report", "--reading", "tarot", "--pdf", "x.pdf"} << 2;
        QTest::newRow("no file") << QStringList{"report", "--reading", "intro"} << 2;
        QTest::newRow("unknown paper") << QStringList{"report", "--reading", "intro", "--paper", "Z9", "--pdf", "x.pdf"}
                                       << 2;
        QTest::newRow("three margins") << QStringList{"report", "--reading", "intro", "--margins", "1,2,3", "--pdf",
                                                      "x.pdf"}
                                       << 2;
        QTest::newRow("margins leave no room")
            << QStringList{"report", "--reading", "intro", "--margins", "10,150,10,150", "--pdf", "DIR/x.pdf"} << 1;
        QTest::newRow("folder missing") << QStringList{"report", "--reading", "intro", "--pdf", "DIR/no/x.pdf"} << 1;
    }

    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        arguments.replaceInStrings(QStringLiteral("DIR"), dir.path());
        QCOMPARE(run(m_cli, arguments + QStringList{"--text-db", suppliedTexts()}).exitCode, exitCode);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.pdf"))));
    }
};

QTEST_MAIN(TestIntroReport)
#include "tst_introreport.moc"
