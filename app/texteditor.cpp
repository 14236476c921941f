#include "texteditor.h"

#include "commandregistry.h"
#include "mainbar.h"
#include "richview.h"
#include "writtennotice.h"

#include "output/errorfunnel.h"
#include "output/rtfwriter.h"
#include "output/storedtext.h"
#include "output/stringtable.h"
#include "output/textpane.h"
#include "pages/compatibilitypage.h"
#include "pages/forecastpage.h"
#include "pages/introprintjob.h"
#include "pages/quadriviumdoc.h"
#include "store/location.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QIconEngine>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>

#include <algorithm>

namespace quadrivium {

namespace {

/// A text manager entry: its table, the page it returns to (0: the page
/// the editor was entered from), its menu text and the letters of its button.
struct TableCommand {
    int id;
    int table;
    int page;
    const char *text;
    const char *letters;
};

const TableCommand kTableCommands[] = {
    {22826, 0, 0, "&Introduction", "In"},
    {22827, 1, kBirthChartPage, "Lines", "Li"},
    {22828, 5, kBirthChartPage, "&Birth Chart Numbers", "Bc"},
    {22829, 4, kBirthChartPage, "&Ruling Number", "Ru"},
    {22830, 9, kBirthChartPage, "&Day Number", "Da"},
    {22831, 6, kBirthChartPage, "Number &of Fate", "Fa"},
    {22833, 7, kBirthChartPage, "Number of Appearance", "Ap"},
    {22834, 8, kBirthChartPage, "&Name's Dominant Number", "Do"},
    {22835, 10, kBirthChartPage, "Pers&onal Current Year Number", "Py"},
    {22836, 2, kPyramidPage, "Numbers in the P&yramid", "Pn"},
    {22837, 3, kBiorhythmPage, "Bio&rhythm", "Bi"},
    {22860, 12, kForecastPage, "Personal Mon&th Number", "Mo"},
    {22861, 13, kForecastPage, "Personal Day N&umber", "Dy"},
    {22862, 14, kForecastPage, "C&hallenges", "Ch"},
    {22863, 15, kForecastPage, "&Karmic Lessons", "Ka"},
    {22864, 16, kCompatibilityPage, "Com&patibility", "Co"},
};

const TableCommand *tableCommand(int id)
{
    for (const TableCommand &c : kTableCommands) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

/// A small button picture with one or two letters, drawn at the size asked
/// for when it is first shown.
class LetterIconEngine : public QIconEngine {
public:
    explicit LetterIconEngine(QString letters) : m_letters(std::move(letters)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const qreal size = std::min(rect.width(), rect.height());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QColor(0x2f, 0x4d, 0x7a));
        painter->setBrush(QColor(0xe8, 0xee, 0xf7));
        const QRectF frame(rect.x() + 0.5, rect.y() + 0.5, size - 1, size - 1);
        painter->drawRoundedRect(frame, size / 6.0, size / 6.0);
        QFont font = QApplication::font();
        font.setPixelSize(std::max(1, int(size) * 9 / 16));
        font.setBold(true);
        painter->setFont(font);
        painter->drawText(QRect(rect.topLeft(), QSize(int(size), int(size))), Qt::AlignCenter, m_letters);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const QString key = QStringLiteral("%1x%2:%3").arg(size.width()).arg(size.height()).arg(int(mode));
        if (const auto cached = m_pixmaps.constFind(key); cached != m_pixmaps.constEnd())
            return *cached;
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(&painter, QRect(QPoint(), size), QIcon::Normal, state);
        }
        if (mode != QIcon::Normal) {
            QStyleOption option;
            option.palette = QApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
            if (!generated.isNull())
                pixmap = generated;
        }
        m_pixmaps.insert(key, pixmap);
        return pixmap;
    }

    QIconEngine *clone() const override { return new LetterIconEngine(m_letters); }

private:
    QString m_letters;
    QHash<QString, QPixmap> m_pixmaps;
};

QIcon letterIcon(const QString &letters)
{
    return QIcon(new LetterIconEngine(letters));
}

/// Where the title of a pane's plain text ends and its body starts: the
/// title runs to the first line break, the body starts after the line
/// breaks that follow it.
std::pair<qsizetype, qsizetype> titleAndBody(const QString &plain)
{
    qsizetype titleEnd = plain.indexOf(QLatin1Char('\n'));
    if (titleEnd < 0)
        titleEnd = plain.size();
    qsizetype bodyStart = titleEnd;
    while (bodyStart < plain.size() && plain[bodyStart] == QLatin1Char('\n'))
        ++bodyStart;
    return {titleEnd, bodyStart};
}

} // namespace

int TableOfTextCommand(int id)
{
    const TableCommand *c = tableCommand(id);
    return c ? c->table : -1;
}

CTextEditor::CTextEditor(CQuadriviumDoc &document, CCommandRegistry &registry, CRichView &pane,
                         QWidget &readingView, QWidget *window)
    : QObject(window)
    , m_document(document)
    , m_registry(registry)
    , m_pane(pane)
    , m_readingView(readingView)
    , m_window(window)
    , m_titles(new QComboBox)
{
    m_titles->setObjectName(QStringLiteral("titleList"));
    m_titles->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_titles->setMinimumContentsLength(24);
    m_titles->setMaxVisibleItems(20);
    m_titles->setToolTip(tr("Texts"));
    m_titles->setAccessibleName(tr("Texts"));
    connect(m_titles, &QComboBox::activated, this, [this](int index) {
        RunGuarded(m_window, [this, index] { chooseEntry(index); });
    });

    using F = CCommandRegistry;
    auto editing = [this] { return editable() && m_document.editNumberId >= 0; };
    registry.add(kCmdSave, tr("S&ave"), F::NoFlags, QKeySequence(Qt::CTRL | Qt::Key_S),
                 ProgramIcon(QStringLiteral("document-save")));
    registry.setEnableRule(kCmdSave, editing);
    registry.add(kCmdEnterTextManager, tr("&Text Manager"), F::MarkedWhileCurrent, QKeySequence(),
                 ProgramIcon(QStringLiteral(":/icons/text-manager.svg")));
    registry.add(kCmdLeaveTextManager, tr("&Calculations"), F::NoFlags, QKeySequence(),
                 ProgramIcon(QStringLiteral(":/icons/calculations.svg")));
    registry.setEnableRule(kCmdLeaveTextManager, [this] { return isActive(); });
    for (const TableCommand &c : kTableCommands)
        registry.add(c.id, tr(c.text), F::Checkable, QKeySequence(), letterIcon(QString::fromLatin1(c.letters)));

    registry.add(kCmdUndo, tr("&Undo"), F::NoFlags, QKeySequence::Undo, ProgramIcon(QStringLiteral("edit-undo")));
    registry.setEnableRule(kCmdUndo, [this] { return editable() && m_pane.document()->isUndoAvailable(); });
    registry.add(kCmdCut, tr("&Cut"), F::NoFlags, QKeySequence::Cut, ProgramIcon(QStringLiteral("edit-cut")));
    registry.setEnableRule(kCmdCut, [this] { return editable() && m_pane.textCursor().hasSelection(); });
    registry.add(kCmdPaste, tr("P&aste"), F::NoFlags, QKeySequence::Paste,
                 ProgramIcon(QStringLiteral("edit-paste")));
    registry.setEnableRule(kCmdPaste, editing);
    const std::pair<int, const char *> formats[] = {
        {kCmdFont, "&Font..."}, {kCmdBold, "&Bold"}, {kCmdItalic, "&Italic"}, {kCmdAlignLeft, "Align Left"},
        {kCmdAlignRight, "Align Right"}, {kCmdCenter, "Center"}, {kCmdColor, "&Color ..."}};
    for (const auto &[id, text] : formats) {
        registry.add(id, tr(text));
        registry.setEnableRule(id, editing);
    }
    registry.action(kCmdBold)->setShortcut(QKeySequence::Bold);
    registry.action(kCmdItalic)->setShortcut(QKeySequence::Italic);

    connect(&registry, &CCommandRegistry::commandTriggered, this, [this](int id) {
        RunGuarded(m_window, [this, id] { run(id); });
    });
    connect(m_pane.document(), &QTextDocument::undoAvailable, &registry, &CCommandRegistry::updateStates);
    connect(&m_pane, &QTextEdit::selectionChanged, &registry, &CCommandRegistry::updateStates);
}

void CTextEditor::AddMenus(QMenu &file, QMenu &edit, QMenu &view)
{
    // Save goes into the group before Exit.
    QAction *beforeExit = nullptr;
    for (QAction *a : file.actions()) {
        if (a->isSeparator())
            beforeExit = a;
    }
    file.insertAction(beforeExit, m_registry.action(kCmdSave));
    const QList<QAction *> editing = edit.actions();
    QAction *first = editing.value(0);
    edit.insertAction(first, m_registry.action(kCmdUndo));
    edit.insertSeparator(first);
    edit.insertAction(first, m_registry.action(kCmdCut));
    edit.addAction(m_registry.action(kCmdPaste));
    edit.addSeparator();
    for (int id : {kCmdFont, kCmdBold, kCmdItalic, kCmdAlignLeft, kCmdAlignRight, kCmdCenter, kCmdColor})
        edit.addAction(m_registry.action(id));
    view.addSeparator();
    QMenu *texts = view.addMenu(tr("Te&xt Manager"));
    texts->addAction(m_registry.action(kCmdEnterTextManager));
    texts->addSeparator();
    for (const TableCommand &c : kTableCommands)
        texts->addAction(m_registry.action(c.id));
    texts->addSeparator();
    texts->addAction(m_registry.action(kCmdLeaveTextManager));
}

void CTextEditor::AddButtons(CMainBar &bar)
{
    for (QAction *a : bar.actions()) {
        if (bar.widgetForAction(a) == bar.personList())
            m_personsAction = a;
    }
    m_titlesAction = bar.addWidget(m_titles);
    m_titlesAction->setVisible(false);
    bar.addSeparator();
    for (int id : {kCmdSave, kCmdEnterTextManager, kCmdLeaveTextManager})
        bar.addAction(m_registry.action(id));
    // The table buttons show only while texts are edited. Hiding an action
    // would disable it in the menu as well, so the bar gets stand-ins.
    for (const TableCommand &c : kTableCommands) {
        QAction *command = m_registry.action(c.id);
        auto *button = new QAction(command->icon(), command->text(), &bar);
        button->setToolTip(command->toolTip());
        button->setCheckable(true);
        button->setVisible(false);
        connect(button, &QAction::triggered, command, [command] { command->trigger(); });
        connect(command, &QAction::changed, button, [button, command] {
            button->setEnabled(command->isEnabled());
            button->setChecked(command->isChecked());
        });
        bar.addAction(button);
        m_editorButtons << button;
    }
}

bool CTextEditor::isActive() const
{
    return m_document.currentCommand() == kTextEditorMode;
}

void CTextEditor::run(int id)
{
    if (tableCommand(id)) {
        enter(id);
        return;
    }
    if (id == kCmdEnterTextManager) {
        if (!isActive())
            enter(kCmdTableIntro);
        return;
    }
    if (!editable())
        return;
    switch (id) {
    case kCmdLeaveTextManager:
        if (isActive())
            leave();
        break;
    case kCmdSave: saveCommand(); break;
    case kCmdUndo: m_pane.undo(); break;
    case kCmdCut: m_pane.cut(); break;
    case kCmdPaste: m_pane.paste(); break;
    case kCmdFont: m_pane.ChooseFont(); break;
    case kCmdBold: m_pane.ToggleBold(); break;
    case kCmdItalic: m_pane.ToggleItalic(); break;
    case kCmdAlignLeft: m_pane.Align(Qt::AlignLeft); break;
    case kCmdAlignRight: m_pane.Align(Qt::AlignRight); break;
    case kCmdCenter: m_pane.Align(Qt::AlignHCenter); break;
    case kCmdColor: m_pane.ChooseColor(); break;
    default: break;
    }
}

void CTextEditor::enter(int id)
{
    const TableCommand *c = tableCommand(id);
    if (isActive()) {
        if (!settleEdits()) {
            m_registry.action(id)->setChecked(m_tableCommand == id);
            return;
        }
    } else {
        if (!SettleInPlace()) {
            m_registry.action(id)->setChecked(false);
            return;
        }
        m_inPlace = false;
        const int current = m_document.currentCommand();
        m_returnCommand = current > 0 ? current : 0;
    }
    if (c->page != 0)
        m_returnCommand = c->page;
    m_table = c->table;
    m_tableCommand = id;
    m_pane.setEditable(true);
    m_readingView.setEnabled(false);
    if (m_personsAction)
        m_personsAction->setVisible(false);
    if (m_titlesAction)
        m_titlesAction->setVisible(true);
    for (QAction *a : m_editorButtons)
        a->setVisible(true);
    m_document.setCurrentCommand(kTextEditorMode);
    for (const TableCommand &t : kTableCommands)
        m_registry.action(t.id)->setChecked(t.id == id);
    if (fillTitles(-1))
        m_titles->setCurrentIndex(m_titles->count() > 0 ? 0 : -1);
    showSelected();
}

void CTextEditor::leave()
{
    if (!settleEdits())
        return;
    switchOff();
    m_document.setCurrentCommand(kRebuildPage);
    emit pageWanted(m_returnCommand);
}

void CTextEditor::EditInPlace(bool on)
{
    if (isActive())
        return;
    m_inPlace = on && m_document.editNumberId >= 0;
    m_pane.setEditable(m_inPlace);
    m_pane.document()->clearUndoRedoStacks();
    m_pane.document()->setModified(false);
    m_registry.updateStates();
}

bool CTextEditor::SettleInPlace()
{
    return !m_inPlace || settleEdits();
}

bool CTextEditor::ReleaseForPage()
{
    if (!isActive()) {
        if (!SettleInPlace())
            return false;
        EditInPlace(false);
        return true;
    }
    if (!settleEdits())
        return false;
    switchOff();
    m_document.setCurrentCommand(kRebuildPage);
    return true;
}

bool CTextEditor::MayClose()
{
    return settleEdits();
}

void CTextEditor::switchOff()
{
    m_pane.setEditable(false);
    m_pane.document()->setModified(false);
    m_readingView.setEnabled(true);
    if (m_titlesAction)
        m_titlesAction->setVisible(false);
    if (m_personsAction)
        m_personsAction->setVisible(true);
    for (QAction *a : m_editorButtons)
        a->setVisible(false);
    for (const TableCommand &t : kTableCommands)
        m_registry.action(t.id)->setChecked(false);
    m_document.textChanged = false;
}

void CTextEditor::chooseEntry(int index)
{
    const int wanted = m_titles->itemData(index).toInt();
    if (wanted == m_document.editNumberId)
        return;
    if (!settleEdits()) {
        const QSignalBlocker block(m_titles);
        m_titles->setCurrentIndex(m_titles->findData(m_document.editNumberId));
        return;
    }
    // A saved title may have changed: the list is read again.
    fillTitles(wanted);
    showSelected();
}

bool CTextEditor::fillTitles(int numberIdToSelect)
{
    const int position = m_titles->currentIndex();
    const auto records = TextStore().list(m_table);
    const QSignalBlocker block(m_titles);
    m_titles->clear();
    if (!Succeeded(m_window, records))
        return false;
    for (const TextRecord &r : records.value()) {
        const QString title = r.titleText.isEmpty() ? PlainTitle(r.title, r.text) : r.titleText;
        m_titles->addItem(title.simplified(), r.numberId);
    }
    int index = m_titles->findData(numberIdToSelect);
    if (index < 0 && numberIdToSelect >= 0)
        index = qMin(position, m_titles->count() - 1);
    m_titles->setCurrentIndex(index);
    return true;
}

void CTextEditor::showSelected()
{
    const int numberId = selectedNumberId();
    m_document.editTable = m_table;
    m_document.editNumberId = numberId;
    m_pane.resetContent();
    if (numberId >= 0)
        Succeeded(m_window, ShowText(m_pane, TextStore(), m_table, numberId));
    // Without a record there is nothing the pane could be saved into.
    m_pane.setEditable(numberId >= 0);
    m_pane.document()->clearUndoRedoStacks();
    m_pane.document()->setModified(false);
    m_document.textChanged = false;
    m_registry.updateStates();
}

void CTextEditor::saveCommand()
{
    if (!isModified())
        return;
    // Save is asked for: it writes at once. Only an emptied pane, which
    // removes the record, is confirmed first.
    if (m_pane.document()->toPlainText().trimmed().isEmpty()
        && QMessageBox::question(m_window, QStringLiteral("Quadrivium"),
                                 QStringLiteral("Delete the text %1?").arg(currentTitle()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes)
        return;
    const int numberId = m_document.editNumberId;
    const QTextCursor selection = m_pane.textCursor();
    if (!writePane())
        return;
    if (!isActive()) {
        m_pane.setTextCursor(selection); // saved in place, where it stays
        m_registry.updateStates();
        return;
    }
    fillTitles(numberId);
    if (selectedNumberId() != numberId) {
        showSelected(); // the record was deleted: the entry now in its place shows
    } else {
        m_pane.setTextCursor(selection);
        m_registry.updateStates();
    }
}

bool CTextEditor::writePane()
{
    const int numberId = m_document.editNumberId;
    if (numberId < 0)
        return true;
    QTextDocument &d = *m_pane.document();
    const QString plain = d.toPlainText();
    TextRecord record;
    record.numberId = numberId;
    record.textId = QString::number(numberId);
    if (!plain.trimmed().isEmpty()) {
        const auto [titleEnd, bodyStart] = titleAndBody(plain);
        record.titleText = plain.left(titleEnd);
        record.title = QString::fromLatin1(writeRtf(d, 0, int(titleEnd)));
        record.text = QString::fromLatin1(writeRtf(d, int(bodyStart), int(plain.size())));
    }
    if (!Succeeded(m_window, TextStore().write(m_document.editTable, record)))
        return false;
    d.setModified(false);
    m_document.textChanged = false;
    const QString title = record.titleText.trimmed().isEmpty() ? tr("The text") : tr("\"%1\"").arg(record.titleText.trimmed());
    ShowWritten(m_window, record.title.isEmpty() && record.text.isEmpty()
                              ? tr("%1 removed from %2").arg(title, TextDatabasePath())
                              : tr("%1 saved in %2").arg(title, TextDatabasePath()));
    return true;
}

PrintedText CTextEditor::paneText() const
{
    const QString plain = m_pane.document()->toPlainText();
    if (plain.trimmed().isEmpty())
        return {};
    const auto [titleEnd, bodyStart] = titleAndBody(plain);
    return PrintedText{plain.left(titleEnd).trimmed(), plain.mid(bodyStart)};
}

bool SettleUnsaved(QWidget *parent, const QString &question, const std::function<bool()> &save,
                   const std::function<void()> &discard)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quadrivium"), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        discard();
        return true;
    default:
        return false;
    }
}

bool CTextEditor::settleEdits()
{
    if (!editable() || !isModified())
        return true;
    return SettleUnsaved(m_window, question(), [this] { return writePane(); },
                         [this] { m_pane.document()->setModified(false); });
}

bool CTextEditor::isModified() const
{
    return m_document.editNumberId >= 0 && m_pane.document()->isModified();
}

QString CTextEditor::currentTitle() const
{
    if (!isActive())
        return paneText().title; // a text edited in place
    const int index = m_titles->findData(m_document.editNumberId);
    return index < 0 ? QString() : m_titles->itemText(index);
}

int CTextEditor::selectedNumberId() const
{
    return m_titles->currentIndex() < 0 ? -1 : m_titles->currentData().toInt();
}

QString CTextEditor::question() const
{
    return QStringLiteral("Save changes to %1?").arg(currentTitle());
}

} // namespace quadrivium
