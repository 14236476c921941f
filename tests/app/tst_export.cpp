// Export and Save as in the main window: the reading showing is assembled
// in the text pane and written to the file chosen, byte for byte the file
// that quadrivium-cli export writes for the same person and days.

#include "app/commandregistry.h"
#include "app/exportcommands.h"
#include "app/savepicture.h"
#include "app/mainframe.h"
#include "app/richview.h"
#include "apptestsupport.h"
#include "../processrun.h"

#include "output/optionsdialog.h"
#include "pages/quadriviumdoc.h"
#include "store/personstore.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>

using namespace quadrivium;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// Types a file name into the save dialog, as the user does, and accepts it.
void chooseFile(QFileDialog &dialog, const QString &filter, const QString &path)
{
    dialog.selectNameFilter(filter);
    auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(path);
    static_cast<QDialog &>(dialog).accept();
}

QString iso(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    int m_anna = 0;

    /// Shows Anna's reading on `page` for `day` and exports every section
    /// (the options dialog ticks them all on first use).
    void exportReading(CQuadriviumApp &app, int page, const QDate &day)
    {
        CMainFrame &frame = *app.mainFrame();
        CQuadriviumDoc &doc = app.document();
        doc.settings().set(DocumentSettings::LastID, m_anna);
        doc.setCurrentPerson(QStringLiteral("Anna Muller"), DateTimeValue::fromFields(1984, 3, 7),
                             DateTimeValue::fromTime(6, 30));
        doc.setChosenDay(DateTimeValue::fromFields(day.year(), day.month(), day.day()));
        frame.RunCommand(page);
        QCOMPARE(doc.currentCommand(), page);
        ModalDriver driver({[](QWidget *w) {
            auto *dialog = qobject_cast<COptionsDialog *>(w);
            QVERIFY(dialog);
            QCOMPARE(dialog->options() & dialog->form().mask, dialog->form().mask);
            dialog->accept();
        }});
        frame.registry().action(kCmdExport)->trigger();
        QCOMPARE(driver.seen.size(), 1);
        QVERIFY(frame.textPane()->toPlainText().startsWith(QStringLiteral("Name\nAnna Muller\n")));
        QVERIFY(frame.textPane()->document()->isModified());
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        QVERIFY(m_folder->ok());
        const auto anna = PersonStore(m_folder->persons)
                              .addPerson({QStringLiteral("Muller"), QStringLiteral("Anna"),
                                          DateTimeValue::fromFields(1984, 3, 7), DateTimeValue::fromTime(6, 30),
                                          QString()});
        QVERIFY(anna.ok());
        m_anna = anna->id;
    }

    void cleanup() { m_folder.reset(); }

    void sameFileAsCommandLine_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("suggested"); // in the documents folder
        QTest::newRow("chart as RTF") << int(kBirthChartPage) << "chart" << "RTF Format (*.rtf)" << ".rtf"
                                      << "Anna Muller - Birth Chart.rtf";
        QTest::newRow("chart as text") << int(kBirthChartPage) << "chart" << "Text File (*.txt)" << ".txt"
                                       << "Anna Muller - Birth Chart.rtf";
        QTest::newRow("pyramid") << int(kPyramidPage) << "pyramid" << "RTF Format (*.rtf)" << ".rtf"
                                 << "Anna Muller - Pyramid.rtf";
        QTest::newRow("biorhythm") << int(kBiorhythmPage) << "biorhythm" << "RTF Format (*.rtf)" << ".rtf"
                                   << "Anna Muller - Biorhythm December 2026.rtf";
    }

    void sameFileAsCommandLine()
    {
        QFETCH(int, page);
        QFETCH(QString, reading);
        QFETCH(QString, filter);
        QFETCH(QString, extension);
        QFETCH(QString, suggested);
        const QDate today = QDate::currentDate();
        const QDate day(2026, 12, 6);
        auto app = StartProgram();
        CMainFrame &frame = *app->mainFrame();
        exportReading(*app, page, day);
        if (QTest::currentTestFailed())
            return;

        // A dot in the folder's name does not count as the file's extension.
        const QString folder = m_folder->filePath(QStringLiteral("out.v2"));
        QVERIFY(QDir().mkpath(folder));
        {
            ModalDriver driver({[&](QWidget *w) {
                auto *dialog = qobject_cast<QFileDialog *>(w);
                QVERIFY(dialog);
                QCOMPARE(dialog->selectedFiles().value(0), QDir(DocumentsFolder()).filePath(suggested));
                chooseFile(*dialog, filter, folder + QStringLiteral("/Anna"));
            }});
            frame.registry().action(kCmdSaveAs)->trigger();
            QCOMPARE(driver.seen.size(), 1);
        }
        const QString saved = folder + QStringLiteral("/Anna") + extension;
        const QByteArray window = fileBytes(saved);
        QVERIFY(!window.isEmpty());

        // A file of the completed name is not replaced without asking.
        // Guards against silently overwriting it.
        QFile old(saved);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        {
            ModalDriver driver({[&](QWidget *w) {
                                    auto *dialog = qobject_cast<QFileDialog *>(w);
                                    QVERIFY(dialog);
                                    chooseFile(*dialog, filter, folder + QStringLiteral("/Anna"));
                                },
                                ModalDriver::answer(QMessageBox::No)});
            frame.registry().action(kCmdSaveAs)->trigger();
            QCOMPARE(driver.seen, (QStringList{"QFileDialog", "QMessageBox"}));
            QVERIFY(driver.texts.value(0).contains(QStringLiteral("Anna") + extension));
        }
        QCOMPARE(fileBytes(saved), QByteArray("old"));

        const QString cliFile = m_folder->filePath(QStringLiteral("cli") + extension);
        const Run cli = run(QStringLiteral(QUADRIVIUM_CLI_PATH),
                            {"export", "--reading", reading, "--person", QString::number(m_anna), "--today",
                             iso(today), "--day", iso(day), "--out", cliFile, "--persons-db", m_folder->persons,
                             "--text-db", m_folder->texts});
        QCOMPARE(cli.exitCode, 0);
        QCOMPARE(fileBytes(cliFile), window);
    }

    // An export not yet saved was dropped without a word when the user
    // went to another page or closed the program.
    void unsavedExportAsks_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("stays"); // the export stays in the pane, or the window open
        const int cancel = QMessageBox::Cancel, discard = QMessageBox::Discard, save = QMessageBox::Save;
        QTest::newRow("other page, cancel") << "page" << cancel << true;
        QTest::newRow("other page, discard") << "page" << discard << false;
        QTest::newRow("closing, cancel") << "close" << cancel << true;
        QTest::newRow("closing, save") << "close" << save << false;
    }

    void unsavedExportAsks()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(bool, stays);
        auto app = StartProgram();
        CMainFrame &frame = *app->mainFrame();
        exportReading(*app, kBirthChartPage, QDate(2026, 12, 6));
        if (QTest::currentTestFailed())
            return;
        const QString exported = frame.textPane()->toPlainText();
        const QString file = m_folder->filePath(QStringLiteral("Anna.rtf"));
        ModalDriver driver({ModalDriver::answer(QMessageBox::StandardButton(answer)), [&](QWidget *w) {
                                if (auto *dialog = qobject_cast<QFileDialog *>(w))
                                    chooseFile(*dialog, QStringLiteral("RTF Format (*.rtf)"), file);
                            }});
        if (action == QLatin1String("page"))
            frame.RunCommand(kPyramidPage);
        else
            frame.close();
        QCOMPARE(driver.texts.value(0), QStringLiteral("Save the exported reading of Anna Muller?"));
        if (action == QLatin1String("page")) {
            QCOMPARE(frame.textPane()->toPlainText() == exported, stays);
            QCOMPARE(app->document().currentCommand(), stays ? int(kBirthChartPage) : int(kPyramidPage));
        } else {
            QCOMPARE(frame.isVisible(), stays);
        }
        QCOMPARE(QFile::exists(file), answer == QMessageBox::Save);
        if (answer == QMessageBox::Save)
            QVERIFY(frame.statusBar()->currentMessage().contains(QDir::toNativeSeparators(file)));
    }

    /// Guards against texts of curves that are switched off.
    void biorhythmTextsOnlyForCurvesShown()
    {
        auto app = StartProgram();
        app->document().showPhysical = false;
        exportReading(*app, kBiorhythmPage, QDate(2026, 12, 6));
        if (QTest::currentTestFailed())
            return;
        const QString text = app->mainFrame()->textPane()->toPlainText();
        // The curve texts' titles ("The Physical Curve: high"), not the
        // introduction, which names all three curves.
        QVERIFY(!text.contains(QStringLiteral("The Physical Curve: ")));
        QVERIFY(text.contains(QStringLiteral("The Spiritual Curve: ")));
        QVERIFY(text.contains(QStringLiteral("The Intellectual Curve: ")));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
