#include "personlistview.h"

#include <QDropEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

// The images are compiled into the app library; a static library's resource
// initialiser must be called by name.
static void initPersonImages()
{
    Q_INIT_RESOURCE(persons);
}

namespace quadrivium {

namespace {

QIcon bundledIcon(const char *themeName, const char *file)
{
    static const bool loaded = (initPersonImages(), true);
    Q_UNUSED(loaded);
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            QIcon(QStringLiteral(":/persons/") + QLatin1String(file)));
}

/// Draws each cell with its text shortened to the cell's text width.
class ShorteningDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget *widget = opt.widget;
        QStyle *style = widget ? widget->style() : nullptr;
        if (!style) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
        // The style adds a margin on each side of the text.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        opt.text = ShortenedText(opt.text, opt.fontMetrics, textRect.width() - 2 * margin);
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    }
};

} // namespace

QIcon GroupIcon()
{
    return bundledIcon("folder", "group.svg");
}

QIcon PersonIcon()
{
    return bundledIcon("user-identity", "person.svg");
}

QString ShortenedText(const QString &text, const QFontMetrics &metrics, int width)
{
    if (text.size() < 5 || metrics.horizontalAdvance(text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    qsizetype keep = text.size();
    QString shown;
    do {
        keep = std::max<qsizetype>(keep - 4, 0);
        shown = text.left(keep) + dots;
    } while (keep > 0 && metrics.horizontalAdvance(shown) > width);
    return shown;
}

CPersonListView::CPersonListView(QWidget *parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new ShorteningDelegate(this));
    setIconSize(QSize(15, 15));
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

int CPersonListView::tagOf(const QModelIndex &index)
{
    return index.isValid() ? index.siblingAtColumn(0).data(kRowTagRole).toInt() : 0;
}

QString CPersonListView::dragMimeType()
{
    return QStringLiteral("application/x-quadrivium-row-tag");
}

void CPersonListView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!event->mimeData()->hasFormat(dragMimeType())) {
        event->ignore();
        return;
    }
    QTreeView::dragEnterEvent(event);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CPersonListView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!event->mimeData()->hasFormat(dragMimeType())) {
        event->ignore();
        return;
    }
    // The base class highlights the row under the pointer and scrolls.
    QTreeView::dragMoveEvent(event);
    if (indexAt(event->position().toPoint()).isValid()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void CPersonListView::dropEvent(QDropEvent *event)
{
    // The rows stay where they are: the owner decides what a drop means
    // and fills the list again.
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    const QModelIndex target = indexAt(event->position().toPoint());
    bool ok = false;
    const int source = event->mimeData()->data(dragMimeType()).toInt(&ok);
    if (!target.isValid() || !ok) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit itemDropped(source, tagOf(target));
}

void CPersonListView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit deleteRequested();
        return;
    }
    QTreeView::keyPressEvent(event);
}

} // namespace quadrivium
