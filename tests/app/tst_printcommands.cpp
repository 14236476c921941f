// The print commands of the main window: when they are offered, the PDF
// export with its failures, the preview, and what page setup and the
// printer font store. Printing the edited text is tested with the text
// manager.

#include "app/commandregistry.h"
#include "app/printcommands.h"
#include "output/optionsdialog.h"
#include "output/printsettings.h"
#include "pages/quadriviumdoc.h"
#include "store/location.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "modalcloser.h"

using namespace quadrivium;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPrintCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<CQuadriviumDoc> m_document;
    std::unique_ptr<CCommandRegistry> m_registry;
    CPrintCommands *m_commands = nullptr;

private slots:
    void initTestCase()
    {
        SetTextDatabasePath(qEnvironmentVariable("QUADRIVIUM_BINARY_DIR") + QStringLiteral("/bin/Quadrivium.mdb"));
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        m_window = std::make_unique<QWidget>();
        m_document = std::make_unique<CQuadriviumDoc>();
        m_registry = std::make_unique<CCommandRegistry>(*m_document);
        m_commands = new CPrintCommands(m_window.get(), *m_document, *m_settings, *m_registry);
        m_commands->setEditedText([] { return PrintedText{}; });
    }

    void cleanup()
    {
        m_window.reset();
        m_registry.reset();
        m_document.reset();
        m_settings.reset();
        m_dir.reset();
    }

    // Print, preview and PDF export only while the page showing has a
    // report or a text is edited; the setup commands always.
    void offered_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("report");
        QTest::newRow("introduction") << int(kNoPage) << true;
        QTest::newRow("birth chart") << int(kBirthChartPage) << true;
        QTest::newRow("calculation walkthrough") << int(kWalkthroughPage) << false;
        QTest::newRow("text editor") << int(kTextEditorMode) << true;
    }

    void offered()
    {
        QFETCH(int, page);
        QFETCH(bool, report);
        m_document->setCurrentCommand(page);
        m_registry->updateStates();
        for (int id : {kCmdPrint, kCmdPrintPreview, kCmdExportPdf})
            QCOMPARE(m_registry->action(id)->isEnabled(), report);
        for (int id : {kCmdPageSetup, kCmdPrinterSetup, kCmdPrinterFont})
            QVERIFY(m_registry->action(id)->isEnabled());
    }

    void exportPdf_data()
    {
        QTest::addColumn<QString>("target"); // DIR: the test's folder
        QTest::addColumn<QByteArray>("margins");
        QTest::addColumn<QString>("message"); // empty: written
        QTest::newRow("written") << "DIR/intro.pdf" << QByteArray() << QString();
        QTest::newRow("folder missing") << "DIR/none/intro.pdf" << QByteArray()
                                        << "The report could not be saved as DIR/none/intro.pdf: ";
        QTest::newRow("stored margins leave no room")
            << "DIR/intro.pdf" << MarginsToBytes(PaperMargins{1500, 15000, 1500, 15000})
            << "The margins leave no room for the report on this paper";
        // Guards against the export replacing the texts it reads.
        QTest::newRow("onto the text database in use")
            << "DIR/Quadrivium.mdb" << QByteArray()
            << "refusing to write DIR/Quadrivium.mdb: it is a database file of the program";
    }

    void exportPdf()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, margins);
        QFETCH(QString, message);
        target.replace(QStringLiteral("DIR"), m_dir->path());
        message.replace(QStringLiteral("DIR"), m_dir->path());
        if (!margins.isEmpty())
            m_settings->setValue(QStringLiteral("PaperMargins"), margins);
        const QString supplied = TextDatabasePath();
        if (target.endsWith(QLatin1String(".mdb"))) {
            QVERIFY(QFile::copy(supplied, target));
            SetTextDatabasePath(target);
        }
        const QByteArray before = fileBytes(target);
        m_commands->setPdfTarget(target);
        ModalCloser closer;
        m_commands->run(kCmdExportPdf);
        SetTextDatabasePath(supplied);
        QFile file(target);
        if (message.isEmpty()) {
            QVERIFY2(closer.seen.isEmpty(), qPrintable(closer.seen.join('\n')));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.read(5) == "%PDF-");
        } else {
            QCOMPARE(fileBytes(target), before);
            QCOMPARE(file.exists(), !before.isEmpty());
            QCOMPARE(closer.seen.size(), 1);
            QVERIFY2(closer.seen.first().startsWith(QStringLiteral("QMessageBox: ") + message),
                     qPrintable(closer.seen.first()));
        }
    }

    // The preview opens on the introduction report and draws it without a
    // complaint.
    void preview()
    {
        ModalCloser closer;
        m_commands->run(kCmdPrintPreview);
        QCOMPARE(closer.seen, QStringList{"QPrintPreviewDialog"});
    }

    // A reading's report after its options dialog is accepted: the PDF of
    // the current person; without a person a message says why nothing is
    // written.
    void readingReport_data()
    {
        QTest::addColumn<bool>("person");
        QTest::newRow("person chosen") << true;
        QTest::newRow("no person") << false;
    }

    void readingReport()
    {
        QFETCH(bool, person);
        m_document->setCurrentCommand(kPyramidPage);
        if (person)
            m_document->setCurrentPerson(QStringLiteral("Anna Berg"), DateTimeValue::fromFields(1987, 3, 12), {});
        const QString target = m_dir->filePath(QStringLiteral("pyramid.pdf"));
        m_commands->setPdfTarget(target);
        QStringList seen;
        QTimer accepter;
        connect(&accepter, &QTimer::timeout, this, [&seen] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen << QString::fromLatin1(dialog->metaObject()->className());
            if (qobject_cast<COptionsDialog *>(dialog))
                dialog->accept();
            else
                dialog->reject();
        });
        accepter.start(20);
        m_commands->run(kCmdExportPdf);
        QCOMPARE(QFile::exists(target), person);
        QCOMPARE(seen.size(), person ? 1 : 2);
        QCOMPARE(seen.first(), QStringLiteral("quadrivium::COptionsDialog"));
    }

    // Page setup keeps the margins also when cancelled, and stores them with
    // the font; the printer font dialog stores nothing when cancelled.
    void setupDialogs()
    {
        m_settings->setValue(QStringLiteral("PaperMargins"), MarginsToBytes(PaperMargins{2000, 1000, 2500, 1200}));
        ModalCloser closer;
        m_commands->run(kCmdPrinterFont);
        QVERIFY(!m_settings->contains(QStringLiteral("PrinterFont")));
        m_commands->run(kCmdPageSetup);
        QCOMPARE(closer.seen.size(), 2);
        const PrintSettings stored = LoadPrintSettings(*m_settings, PrintSettings{LogFont{}, PaperMargins{0, 0, 0, 0}});
        QCOMPARE(stored.margins, (PaperMargins{2000, 1000, 2500, 1200}));
        QVERIFY(m_settings->contains(QStringLiteral("PrinterFont")));
        QCOMPARE(m_commands->printer().pageLayout().orientation(), QPageLayout::Portrait);
    }

    // Page setup offered Landscape and then silently printed upright.
    void pageSetupOffersNoLandscape()
    {
        QPageSetupDialog dialog(&m_commands->printer());
        DisableOrientationChoice(dialog);
        int orientationButtons = 0;
        for (QRadioButton *button : dialog.findChildren<QRadioButton *>()) {
            if (!button->text().contains(QLatin1String("andscape")))
                continue;
            ++orientationButtons;
            QVERIFY(!button->isEnabled());
        }
        QVERIFY(orientationButtons > 0);
    }
};

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
