#include "personlevelmodel.h"

#include "personlistview.h"

#include "store/datetext.h"

#include <QMimeData>

namespace quadrivium {

namespace {

/// The text of the name column: "Name, Vorname", or the one that is there.
QString nameColumn(const PersonRow &row)
{
    if (row.folder || row.first.isEmpty())
        return row.name;
    if (row.name.isEmpty())
        return row.first;
    return row.name + QStringLiteral(", ") + row.first;
}

const QString kUpText = QStringLiteral("..");

} // namespace

CPersonLevelModel::CPersonLevelModel(QStringList headers, QObject *parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers))
{
}

Status CPersonLevelModel::setLevel(const QString &path, int levelKey, bool upRow)
{
    beginResetModel();
    m_upRow = upRow;
    m_rows = std::make_unique<PersonRowCache>(PersonListing::level(path, levelKey));
    const Status status = m_rows->reset();
    endResetModel();
    return status;
}

const PersonRow *CPersonLevelModel::rowAt(int row) const
{
    return m_rows ? m_rows->rowAt(row - firstStored()) : nullptr;
}

int CPersonLevelModel::rowOfTag(int tag) const
{
    if (tag == kUpTag)
        return m_upRow ? 0 : -1;
    if (!m_rows)
        return -1;
    const auto found = m_rows->listing().positionOf(tag);
    return found.ok() && found.value() && *found.value() < m_rows->count() ? *found.value() + firstStored() : -1;
}

std::optional<PersonRow> CPersonLevelModel::rowWithTag(int tag) const
{
    if (!m_rows || tag == kUpTag)
        return std::nullopt;
    if (const PersonRow *read = m_rows->readRow(tag))
        return *read;
    const PersonRow *row = rowAt(rowOfTag(tag));
    return row ? std::optional<PersonRow>(*row) : std::nullopt;
}

int CPersonLevelModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : firstStored() + (m_rows ? m_rows->count() : 0);
}

int CPersonLevelModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant CPersonLevelModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const bool up = m_upRow && index.row() == 0;
    const PersonRow *row = up ? nullptr : rowAt(index.row());
    if (!up && !row)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (up)
            return index.column() == 0 ? kUpText : QString();
        if (index.column() == 0)
            return nameColumn(*row);
        if (row->folder)
            return QString();
        if (index.column() == 1)
            return FormatDateValue(row->born);
        // A person without a time of birth shows no time, not midnight.
        return row->hasTime() ? FormatDateValue(row->time) : QString();
    case Qt::DecorationRole:
        if (index.column() != 0)
            return {};
        return up || row->folder ? GroupIcon() : PersonIcon();
    case kRowTagRole:
        return up ? kUpTag : row->id;
    default:
        return {};
    }
}

QVariant CPersonLevelModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CPersonLevelModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Every row takes drops. Views ask for the flags of rows they do not
    // show, so they are given without reading the row: a group's drag is
    // refused when it starts (mimeData()), only ".." is never dragged.
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (!(m_upRow && index.row() == 0))
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList CPersonLevelModel::mimeTypes() const
{
    return {CPersonListView::dragMimeType()};
}

QMimeData *CPersonLevelModel::mimeData(const QModelIndexList &indexes) const
{
    // A row is dragged with all its cells; one row at a time.
    if (indexes.isEmpty())
        return nullptr;
    const int row = indexes.front().row();
    for (const QModelIndex &index : indexes) {
        if (index.row() != row)
            return nullptr;
    }
    // Nothing is dragged but persons.
    const PersonRow *dragged = rowAt(row);
    if (!dragged || dragged->folder)
        return nullptr;
    auto *data = new QMimeData;
    data->setData(CPersonListView::dragMimeType(), QByteArray::number(indexes.front().data(kRowTagRole).toInt()));
    return data;
}

Qt::DropActions CPersonLevelModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

QModelIndexList CPersonLevelModel::match(const QModelIndex &start, int role, const QVariant &value, int hits,
                                         Qt::MatchFlags flags) const
{
    // Typing in the list finds the next name that starts so, asking the
    // file instead of reading every row.
    const bool typed = role == Qt::DisplayRole && hits == 1 && start.column() == 0
                       && (flags & Qt::MatchTypeMask) == Qt::MatchStartsWith && !(flags & Qt::MatchCaseSensitive);
    if (!typed || !m_rows)
        return QAbstractTableModel::match(start, role, value, hits, flags);
    const QString text = value.toString();
    const int from = std::max(start.row() - firstStored(), 0);
    const auto found = m_rows->listing().find(text, PersonListing::Match::StartsWith, from, nameColumn);
    if (found.ok() && found.value() && (flags & Qt::MatchWrap || *found.value() >= from)
        && *found.value() < m_rows->count())
        return {index(*found.value() + firstStored(), 0)};
    if (m_upRow && kUpText.startsWith(text))
        return {index(0, 0)};
    return {};
}

} // namespace quadrivium
