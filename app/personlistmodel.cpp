#include "personlistmodel.h"

#include "mainbar.h"

namespace quadrivium {

namespace {

QString displayNameOf(const PersonRow &row)
{
    return row.displayName();
}

} // namespace

Status CPersonListModel::reload(const PersonStore &store)
{
    const bool sameFile = m_rows && m_rows->listing().path() == store.path();
    // The list is filled again after every change of this program; a file
    // nobody has changed keeps the rows read, so that the list shown stays.
    if (sameFile && m_rows->isCurrent())
        return Done{};
    beginResetModel();
    m_groupNames.clear();
    // The same file's listing keeps its connection and the pages it read.
    m_rows = std::make_unique<PersonRowCache>(sameFile ? m_rows->listing() : PersonListing::persons(store.path()));
    Status status = Done{};
    if (const auto groups = store.listGroups(); !groups.ok()) {
        status = Status::failure(groups.error());
    } else {
        for (const PersonRow &g : groups.value())
            m_groupNames.insert(g.child, g.displayName());
        status = m_rows->reset();
    }
    if (!status.ok())
        m_rows.reset();
    endResetModel();
    return status;
}

void CPersonListModel::clear()
{
    beginResetModel();
    m_rows.reset();
    m_groupNames.clear();
    endResetModel();
}

int CPersonListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_rows ? 0 : m_rows->count();
}

QString CPersonListModel::labelOf(const PersonRow &row) const
{
    return PersonListLabel(row, row.parent == kTopLevelKey ? QString() : m_groupNames.value(row.parent));
}

QVariant CPersonListModel::data(const QModelIndex &index, int role) const
{
    if (!m_rows || index.parent().isValid())
        return {};
    const PersonRow *row = m_rows->rowAt(index.row());
    if (!row)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return labelOf(*row);
    case Qt::UserRole:
        return row->id;
    default:
        return {};
    }
}

QModelIndexList CPersonListModel::match(const QModelIndex &start, int role, const QVariant &value, int hits,
                                        Qt::MatchFlags flags) const
{
    const Qt::MatchFlags how = flags & Qt::MatchTypeMask;
    if (!m_rows || hits != 1)
        return QAbstractListModel::match(start, role, value, hits, flags);
    std::optional<int> row;
    if (role == Qt::UserRole && how == Qt::MatchExactly) {
        // A person chosen from the list has been read with its position.
        row = m_rows->readPosition(value.toInt());
        if (!row) {
            if (const auto found = m_rows->listing().positionOf(value.toInt()); found.ok())
                row = found.value();
        }
    } else if (role == Qt::DisplayRole && how == Qt::MatchStartsWith && !(flags & Qt::MatchCaseSensitive)) {
        // Typing in the list: the names are matched, the group is not.
        const int from = std::max(start.row(), 0);
        const auto found = m_rows->listing().find(value.toString(), PersonListing::Match::StartsWith, from,
                                                  displayNameOf);
        if (found.ok() && found.value() && (flags & Qt::MatchWrap || *found.value() >= from))
            row = found.value();
    } else {
        return QAbstractListModel::match(start, role, value, hits, flags);
    }
    if (!row || *row >= rowCount())
        return {};
    return {index(*row)};
}

int CPersonListModel::rowOfName(const QString &displayName) const
{
    if (!m_rows)
        return -1;
    const auto found = m_rows->listing().find(displayName, PersonListing::Match::Exactly, 0, displayNameOf);
    return found.ok() && found.value() && *found.value() < rowCount() ? *found.value() : -1;
}

} // namespace quadrivium
