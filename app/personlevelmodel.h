#pragma once

#include "personrowcache.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>
#include <optional>

namespace quadrivium {

/// The rows of one level of a persons file as the selection dialog lists
/// them, read from the file as the list shows them: first, below the top
/// level, the row ".." (tag kUpTag), then the level's groups and persons.
/// Columns: name ("Name, First name"), date of birth, time of birth (empty
/// when none). Every row's tag (kRowTagRole) is its ID. Persons can be
/// dragged (mimeData() gives nothing for a group or ".."); every row takes
/// drops.
class CPersonLevelModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kUpTag = -1;

    CPersonLevelModel(QStringList headers, QObject *parent = nullptr);

    /// Lists the level with key `levelKey` of the file at `path`, with the
    /// row ".." first when `upRow`; on failure only that row and the error
    /// returned.
    Status setLevel(const QString &path, int levelKey, bool upRow);

    /// The stored row at model row `row`; nullptr for ".." or none.
    const PersonRow *rowAt(int row) const;
    /// The model row whose tag is `tag`; -1 when the level lacks it.
    int rowOfTag(int tag) const;
    /// The stored row whose tag is `tag`; nothing when the level lacks it.
    std::optional<PersonRow> rowWithTag(int tag) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDropActions() const override;
    QModelIndexList match(const QModelIndex &start, int role, const QVariant &value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

private:
    int firstStored() const { return m_upRow ? 1 : 0; }

    QStringList m_headers;
    bool m_upRow = false;
    std::unique_ptr<PersonRowCache> m_rows;
};

} // namespace quadrivium
