// An outside check of the RTF writer: LibreOffice converts what the writer
// wrote to text, and that text must equal ours. Skipped when LibreOffice
// (soffice) is not installed.

#include "output/rtfreader.h"
#include "output/rtfwriter.h"

#include "rtftestsupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

using namespace quadrivium;

using rtftest::withoutTrailingLineEnds;

class TestRtfLibreOffice : public QObject {
    Q_OBJECT

private slots:
    void textMatches();
};

void TestRtfLibreOffice::textMatches()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("soffice is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(14.5);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText(QString::fromUtf8("Grüße, Ärger und Öl"), bold);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertBlock();
    QTextCharFormat colour;
    colour.setForeground(QColor(128, 0, 64));
    colour.setFontItalic(true);
    cursor.insertText(QString::fromUtf8("Euro € 100, Greek αβγ Ω, emoji 😀 and 𝄞"), colour);
    cursor.insertBlock();
    cursor.insertText(QString::fromUtf8("tab\there, braces {x} and a backslash \\ end"));
    cursor.insertText(QString(QChar::LineSeparator) + QStringLiteral("after a line break"));

    const QByteArray rtf = writeRtf(document);
    const QString path = dir.filePath(QStringLiteral("sample.rtf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(rtf);
    file.close();

    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                            QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                            QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"), dir.path(), path});
    QVERIFY(process.waitForFinished(180000));
    QFile text(dir.filePath(QStringLiteral("sample.txt")));
    QVERIFY2(text.open(QIODevice::ReadOnly), process.readAllStandardError().constData());
    QCOMPARE(withoutTrailingLineEnds(QString::fromUtf8(text.readAll())),
             withoutTrailingLineEnds(rtfToPlain(rtf)));
}

QTEST_MAIN(TestRtfLibreOffice)
#include "tst_rtflibreoffice.moc"
