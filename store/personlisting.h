#pragma once

#include "personstore.h"
#include "result.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace quadrivium {

class Connection;

/// The rows of one person list in the order the list shows them, read a
/// window at a time, so that showing a file of any size costs only what is
/// shown. Two listings exist: every person (PersonStore::listPersons's
/// order: last name, first name, both without regard to case, then ID) and
/// one level (listLevel's order: groups first, then the same). Positions
/// count from 0.
class PersonListing {
public:
    /// Every person of the file at `path`.
    static PersonListing persons(QString path);
    /// The groups and persons of the level with key `key` (-1: the top level).
    static PersonListing level(QString path, int key);

    /// How a row is matched in find(): by its text (as `RowText` makes it)
    /// beginning with the text sought, regardless of letter case, or being
    /// the text sought exactly.
    enum class Match { StartsWith, Exactly };
    using RowText = QString (*)(const PersonRow &row);

    const QString &path() const { return m_path; }
    /// A number that changes whenever the file is changed through another
    /// connection, this program's own writes included.
    Result<long long> version() const;

    Result<int> count() const;
    /// Up to `limit` rows from position `offset` on.
    Result<std::vector<PersonRow>> rows(int offset, int limit) const;
    /// The position of the row with this ID; nothing when the listing lacks it.
    Result<std::optional<int>> positionOf(int id) const;
    /// The position of the first row at or after position `from` whose text
    /// matches `text`, going on from the start when none does up to the end;
    /// nothing when no row matches. `rowText` sees the row's ID, names and
    /// folder mark only, and makes a text that begins with the row's name or
    /// its first name (rows whose texts begin otherwise are not found).
    Result<std::optional<int>> find(const QString &text, Match match, int from, RowText rowText) const;

private:
    PersonListing(QString path, QString filter);
    /// The connection of this listing and its copies, opened at first use
    /// and kept, so that the pages read stay in its cache; the engine drops
    /// them when another connection changes the file.
    Connection &connection() const;
    template<typename T, typename F>
    Result<T> guarded(F &&work) const;

    QString m_path;
    QString m_filter; ///< SQL condition of the rows listed
    mutable std::shared_ptr<Connection> m_db;
};

} // namespace quadrivium
