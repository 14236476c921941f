// The text manager in the main window over a copy of the supplied text
// database: saving an edited entry into its own record, deleting by
// emptying, the question before unsaved edits would be lost, and printing
// the text being edited.

#include "app/commandregistry.h"
#include "app/mainbar.h"
#include "app/mainframe.h"
#include "app/printcommands.h"
#include "app/richview.h"
#include "app/texteditor.h"
#include "pages/forecastpage.h"
#include "pages/readingpage.h"
#include "apptestsupport.h"

#include "output/rtfreader.h"
#include "pages/quadriviumdoc.h"
#include "store/personstore.h"
#include "store/textstore.h"

#include <QAction>
#include <QComboBox>
#include <QMessageBox>
#include <QProcess>
#include <QStatusBar>
#include <QStandardPaths>
#include <QTest>

using namespace quadrivium;

class TestTextEditor : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    QString m_texts;

    static void trigger(CMainFrame &frame, int id)
    {
        QAction *action = frame.registry().action(id);
        QVERIFY2(action && action->isEnabled(), qPrintable(QString::number(id)));
        action->trigger();
    }

    /// Chooses the list entry at `position` as the user does.
    static void choose(CTextEditor &editor, int position)
    {
        editor.titleList()->setCurrentIndex(position);
        emit editor.titleList()->activated(position);
    }

    /// Replaces the pane's text by typing, a line break between title and body.
    static void type(CRichView &pane, const QString &title, const QString &body)
    {
        pane.setFocus();
        pane.selectAll();
        QTest::keyClick(&pane, Qt::Key_Delete);
        QTest::keyClicks(&pane, title);
        QTest::keyClick(&pane, Qt::Key_Return);
        QTest::keyClicks(&pane, body);
    }

    std::optional<TextRecord> stored(int table, int numberId) const
    {
        const auto r = TextStore(m_texts).read(table, numberId);
        return r.ok() ? r.value() : std::nullopt;
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        QVERIFY(m_folder->ok());
        m_texts = m_folder->texts;
    }

    void cleanup() { m_folder.reset(); }

    void saveWritesTheEntrysRecord_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("missing"); // NumberID removed beforehand, 0 for none
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("numberId");
        QTest::newRow("introduction") << 22826 << 0 << 0 << 1 << 2;
        // The master numbers follow 9 in the ruling number list.
        QTest::newRow("ruling 11") << 22829 << 4 << 0 << 9 << 11;
        QTest::newRow("ruling 22") << 22829 << 4 << 0 << 10 << 22;
        // Guards against saving by list position: with day 3 gone, the
        // fourth entry is day 5, not day 4.
        QTest::newRow("after a missing record") << 22830 << 9 << 3 << 3 << 5;
        // The later readings' texts had no entry and could not be edited.
        QTest::newRow("karmic lesson 2") << 22863 << 15 << 0 << 1 << 2;
        QTest::newRow("compatibility intro 2") << 22864 << 16 << 0 << 1 << 2;
        // Record 0 once stood for "no record" and could not be saved.
        QTest::newRow("challenge 0") << 22862 << 14 << 0 << 0 << 0;
    }

    void saveWritesTheEntrysRecord()
    {
        QFETCH(int, command);
        QFETCH(int, table);
        QFETCH(int, missing);
        QFETCH(int, position);
        QFETCH(int, numberId);
        if (missing)
            QVERIFY(TextStore(m_texts).write(table, TextRecord{QString::number(missing), {}, {}, {}, missing}).ok());
        const auto before = stored(table, numberId);
        // An entry next to it in the list.
        const TextRecord neighbour =
            TextStore(m_texts).list(table).value().at(std::size_t(position > 0 ? position - 1 : position + 1));
        QVERIFY(before);
        {
            auto app = StartProgram();
            CMainFrame &frame = *app->mainFrame();
            CTextEditor &editor = *frame.textEditor();
            trigger(frame, command);
            QCOMPARE(app->document().currentCommand(), int(kTextEditorMode));
            QCOMPARE(editor.table(), table);
            choose(editor, position);
            QCOMPARE(editor.titleList()->currentData().toInt(), numberId);
            type(*frame.textPane(), QStringLiteral("Changed title"), QStringLiteral("Changed body, "));
            frame.textPane()->insertPlainText(QString::fromUtf8("Grüße."));

            // An explicit Save writes at once, without a question.
            ModalDriver yes({ModalDriver::answer(QMessageBox::Yes)});
            trigger(frame, kCmdSave);
            QVERIFY(yes.texts.isEmpty());
            // The list is read again and the saved entry stays chosen.
            QCOMPARE(editor.titleList()->currentData().toInt(), numberId);
            QCOMPARE(editor.titleList()->currentText(), QStringLiteral("Changed title"));
            QVERIFY(!frame.textPane()->document()->isModified());
            frame.close();
        }
        const auto after = stored(table, numberId);
        QVERIFY(after);
        QCOMPARE(after->titleText, QStringLiteral("Changed title"));
        QVERIFY(after->title.startsWith(QLatin1Char('{')) && after->text.startsWith(QLatin1Char('{')));
        QCOMPARE(rtfToPlain(after->title), QStringLiteral("Changed title"));
        QCOMPARE(rtfToPlain(after->text), QString::fromUtf8("Changed body, Grüße."));
        QCOMPARE(after->textId, QString::number(numberId));
        // The next record is untouched.
        QCOMPARE(stored(table, neighbour.numberId)->text, neighbour.text);

        // After a restart the edited text is what the entry shows.
        auto again = StartProgram();
        CMainFrame &frame = *again->mainFrame();
        trigger(frame, command);
        choose(*frame.textEditor(), position);
        QVERIFY(frame.textPane()->toPlainText().startsWith(QString::fromUtf8("Changed title\n\nChanged body, Grüße.")));
    }

    // A text shown on the birth chart page could not be edited there: only
    // the text manager wrote texts, and Save did nothing on the page.
    void editShownTextInPlace()
    {
        auto app = StartProgram();
        CMainFrame &frame = *app->mainFrame();
        app->document().setCurrentPerson(QStringLiteral("Anna Muller"), DateTimeValue::fromFields(1984, 3, 7),
                                         DateTimeValue());
        frame.RunCommand(kBirthChartPage);
        CReadingPage *page = frame.page(kBirthChartPage);
        QVERIFY(page);
        emit page->textRequested(4, 7); // Ruling Number 7
        QVERIFY(stored(4, 7));
        QVERIFY(!frame.textPane()->isReadOnly());
        type(*frame.textPane(), QStringLiteral("Seven"), QStringLiteral("Edited where it shows."));
        {
            ModalDriver none({ModalDriver::answer(QMessageBox::Yes)});
            trigger(frame, kCmdSave);
            QVERIFY(none.texts.isEmpty());
        }
        QCOMPARE(stored(4, 7)->titleText, QStringLiteral("Seven"));
        QVERIFY(!frame.textPane()->document()->isModified());
        QVERIFY(frame.statusBar()->currentMessage().contains(QStringLiteral("\"Seven\" saved in")));

        // Another text would replace an unsaved edit: asked first.
        type(*frame.textPane(), QStringLiteral("Changed"), QStringLiteral("Not saved."));
        {
            ModalDriver cancel({ModalDriver::answer(QMessageBox::Cancel)});
            emit page->textRequested(4, 8);
            QCOMPARE(cancel.texts, QStringList{QStringLiteral("Save changes to Changed?")});
        }
        QVERIFY(frame.textPane()->toPlainText().startsWith(QStringLiteral("Changed")));
        {
            ModalDriver discard({ModalDriver::answer(QMessageBox::Discard)});
            frame.RunCommand(kBiorhythmPage);
            QCOMPARE(discard.texts.size(), 1);
        }
        // The biorhythm's texts are several records: not edited in place.
        QVERIFY(frame.textPane()->isReadOnly());
        QVERIFY(!frame.registry().action(kCmdSave)->isEnabled());
        QCOMPARE(stored(4, 7)->titleText, QStringLiteral("Seven"));
    }

    void emptiedViewDeletesTheRecord()
    {
        QVERIFY(stored(6, 4));
        auto app = StartProgram();
        CMainFrame &frame = *app->mainFrame();
        CTextEditor &editor = *frame.textEditor();
        trigger(frame, 22831); // Number of Fate
        choose(editor, 3);
        QCOMPARE(editor.titleList()->currentData().toInt(), 4);
        frame.textPane()->setFocus();
        frame.textPane()->selectAll();
        QTest::keyClick(frame.textPane(), Qt::Key_Delete);
        ModalDriver yes({ModalDriver::answer(QMessageBox::Yes)});
        trigger(frame, kCmdSave);
        // Saving an emptied pane removes the record: that alone is asked.
        QCOMPARE(yes.texts.size(), 1);
        QVERIFY(yes.texts.first().startsWith(QStringLiteral("Delete the text")));
        QVERIFY(!stored(6, 4));
        QCOMPARE(editor.titleList()->findData(4), -1);
        QVERIFY(stored(6, 5));
    }

    void unsavedEditsAsk_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("stays");  // the editor keeps the edit in view
        QTest::addColumn<bool>("written"); // the edit reached the store
        const int cancel = QMessageBox::Cancel, save = QMessageBox::Save, discard = QMessageBox::Discard;
        QTest::newRow("another entry, cancel") << "entry" << cancel << true << false;
        QTest::newRow("another entry, save") << "entry" << save << false << true;
        QTest::newRow("another table, cancel") << "table" << cancel << true << false;
        QTest::newRow("leaving, discard") << "leave" << discard << false << false;
        QTest::newRow("closing, cancel") << "close" << cancel << true << false;
    }

    void unsavedEditsAsk()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(bool, stays);
        QFETCH(bool, written);
        const QString firstTitle = stored(0, 1)->titleText;
        auto app = StartProgram();
        CMainFrame &frame = *app->mainFrame();
        CTextEditor &editor = *frame.textEditor();
        frame.show();
        trigger(frame, kCmdEnterTextManager);
        QCOMPARE(editor.titleList()->currentData().toInt(), 1);
        type(*frame.textPane(), QStringLiteral("Edited"), QStringLiteral("Body"));
        const QString edited = frame.textPane()->toPlainText();

        ModalDriver answerer({ModalDriver::answer(QMessageBox::StandardButton(answer))});
        if (action == QLatin1String("entry"))
            choose(editor, 2);
        else if (action == QLatin1String("table"))
            trigger(frame, 22827);
        else if (action == QLatin1String("leave"))
            trigger(frame, kCmdLeaveTextManager);
        else
            frame.close();
        QCOMPARE(answerer.texts, QStringList{QStringLiteral("Save changes to %1?").arg(firstTitle)});
        QCOMPARE(frame.textPane()->toPlainText() == edited && frame.textPane()->document()->isModified(), stays);
        if (stays) {
            QCOMPARE(app->document().currentCommand(), int(kTextEditorMode));
            QCOMPARE(editor.titleList()->currentData().toInt(), 1);
            QCOMPARE(editor.table(), 0);
            QVERIFY(frame.isVisible());
        }
        QCOMPARE(stored(0, 1)->titleText == QStringLiteral("Edited"), written);
    }

    /// Leaving returns to the page the editor was entered from, or to the
    /// page of the table chosen; the pane is read-only again and the person
    /// list is back in the main bar.
    void leavingReturnsToThePage()
    {
        const PersonStore persons(PersonsDatabasePath());
        const auto anna = persons.addPerson({QStringLiteral("Muller"), QStringLiteral("Anna"),
                                             DateTimeValue::fromFields(1984, 3, 7), DateTimeValue(), QString()});
        QVERIFY(anna.ok());
        auto app = StartProgram();
        CMainFrame &frame = *app->mainFrame();
        frame.show();
        app->document().setCurrentPerson(QStringLiteral("Anna Muller"), DateTimeValue::fromFields(1984, 3, 7),
                                         DateTimeValue());
        trigger(frame, kWalkthroughPage);
        trigger(frame, kCmdEnterTextManager);
        QVERIFY(frame.textPane()->isEditable());
        QTRY_VERIFY(!frame.mainBar()->personList()->isVisible());
        QTRY_VERIFY(frame.textEditor()->titleList()->isVisible());
        trigger(frame, kCmdLeaveTextManager);
        QCOMPARE(app->document().currentCommand(), int(kWalkthroughPage));
        QVERIFY(!frame.textPane()->isEditable());
        QTRY_VERIFY(frame.mainBar()->personList()->isVisible());
        QTRY_VERIFY(!frame.textEditor()->titleList()->isVisible());

        // The ruling number table belongs to the birth chart, the
        // challenges to the forecast.
        trigger(frame, 22829);
        trigger(frame, kCmdLeaveTextManager);
        QCOMPARE(app->document().currentCommand(), int(kBirthChartPage));
        trigger(frame, 22862);
        trigger(frame, kCmdLeaveTextManager);
        QCOMPARE(app->document().currentCommand(), int(kForecastPage));
    }

    /// Export as PDF in the text manager writes the pane as it stands, edits
    /// not yet saved included, without an options dialog; an emptied pane
    /// writes no file and says why.
    void exportsTheEditedText_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("body"); // title and body empty: the pane is emptied
        QTest::newRow("edited, unsaved") << "Quokka title" << "Marmalade zebra words.";
        QTest::newRow("emptied") << "" << "";
    }

    void exportsTheEditedText()
    {
        QFETCH(QString, title);
        QFETCH(QString, body);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("poppler-utils are not installed");
        auto app = StartProgram();
        CMainFrame &frame = *app->mainFrame();
        trigger(frame, kCmdEnterTextManager);
        if (title.isEmpty()) {
            frame.textPane()->setFocus();
            frame.textPane()->selectAll();
            QTest::keyClick(frame.textPane(), Qt::Key_Delete);
        } else {
            type(*frame.textPane(), title, body);
        }
        const QString target = m_folder->filePath(QStringLiteral("text.pdf"));
        frame.printCommands()->setPdfTarget(target);
        ModalDriver closer({[](QWidget *w) { w->close(); }});
        trigger(frame, kCmdExportPdf);
        if (title.isEmpty()) {
            QVERIFY(!QFile::exists(target));
            QCOMPARE(closer.texts, QStringList{QStringLiteral("There is nothing to print: the text is empty.")});
            return;
        }
        QVERIFY2(closer.seen.isEmpty(), qPrintable(closer.seen.join('\n')));
        QProcess text;
        text.start(pdftotext, {target, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString printed = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY2(printed.contains(title) && printed.contains(body), qPrintable(printed));
        // Only the pane's text is printed, not the stored introduction.
        QVERIFY(!printed.contains(QStringLiteral("Your Numerology Reading")));
        QVERIFY(frame.textPane()->document()->isModified());
    }

};

QTEST_MAIN(TestTextEditor)
#include "tst_texteditor.moc"
