#pragma once

#include <QIcon>
#include <QTreeView>

class QFontMetrics;

namespace quadrivium {

/// Data role under which every row of a CPersonListView keeps its tag, the
/// number by which its owner knows the row.
inline constexpr int kRowTagRole = Qt::UserRole + 1;

/// The images of group rows and person rows (15 x 15 in the lists).
QIcon GroupIcon();
QIcon PersonIcon();

/// `text` as a column of `width` pixels shows it: a text too wide loses four
/// characters at a time from its end, with "..." appended, until it fits;
/// texts of fewer than five characters are shown as they are.
QString ShortenedText(const QString &text, const QFontMetrics &metrics, int width);

/// The list of persons and groups: one row per person or group, texts too
/// wide for their column shortened with "...", rows that can be dragged
/// onto other rows, and the Delete key reported to the owner. The model
/// gives each row its tag (kRowTagRole, first column) and the drag data.
class CPersonListView : public QTreeView {
    Q_OBJECT
public:
    explicit CPersonListView(QWidget *parent = nullptr);

    /// The tag of the row of `index` (kRowTagRole); 0 when none.
    static int tagOf(const QModelIndex &index);
    /// Format of the drag data: the dragged row's tag as decimal text.
    static QString dragMimeType();

signals:
    /// A row was dragged and dropped onto a row (possibly itself).
    void itemDropped(int sourceTag, int targetTag);
    /// The Delete key was pressed in the list.
    void deleteRequested();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace quadrivium
