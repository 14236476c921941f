#pragma once

#include "personrowcache.h"

#include "store/personstore.h"

#include <QAbstractListModel>
#include <QHash>

#include <memory>

namespace quadrivium {

/// Every person of a persons file as the main bar's list shows them, read
/// from the file as the list shows them. Each row's text is its
/// PersonListLabel; Qt::UserRole holds the person's ID. Searching by ID
/// (QComboBox::findData) and by the start of a name (typing in the list)
/// asks the file instead of reading every row.
class CPersonListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    /// Lists the persons of `store`; on failure the list is empty and the
    /// error returned.
    Status reload(const PersonStore &store);
    /// Lists nothing.
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QModelIndexList match(const QModelIndex &start, int role, const QVariant &value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

    /// The row of the first person, in list order, whose display name is
    /// `displayName`; -1 when none.
    int rowOfName(const QString &displayName) const;

private:
    QString labelOf(const PersonRow &row) const;

    std::unique_ptr<PersonRowCache> m_rows; ///< mutable through const data()
    QHash<int, QString> m_groupNames;         ///< group name by group key
};

} // namespace quadrivium
