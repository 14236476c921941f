#pragma once

#include "connection.h"
#include "recordset.h"
#include "result.h"
#include "textstore.h" // detail::OwnedConnection

#include "engine/datetimevalue.h"

#include <QString>

#include <optional>
#include <vector>

namespace quadrivium {

/// Persons and groups share the table Data. A group row has Folder true, a
/// Child key of its own (negative, unique among groups) and Parent -1; a
/// person row has Folder false, Child 0 and as Parent the key of the level
/// it stands in: a group's Child, or -1 for the top level. The top level is
/// itself a group row (Child -1, Parent 0, Name "Persons") which no level
/// lists; it names the top level where a group name is asked for.
constexpr int kTopLevelKey = -1;
/// Longest last name, first name or group name the table holds.
constexpr int kMaxNameLength = 255;
/// Name of the row that stands for the top level.
QString TopLevelName();

/// One row of Data as stored; empty names are stored as null and read as empty.
struct PersonRow {
    int id = 0;
    QString name;  ///< last name, or the group's name
    QString first; ///< first name
    DateTimeValue born = DateTimeValue::null();
    DateTimeValue time = DateTimeValue::null(); ///< time of birth on the zero date; 0 when none
    int parent = kTopLevelKey;
    int child = 0;
    bool folder = false;

    /// First name, a blank and last name; only one of them when the other is empty.
    QString displayName() const;
    /// True when a time of birth is stored (0 means none).
    bool hasTime() const { return time.isValid() && time.days() != 0.0; }
};

/// First name, a blank and last name; only one of them when the other is empty.
QString DisplayName(const QString &first, const QString &last);

/// Record set over Data, fields in the order ID, Name, Vorname,
/// Geburtsdatum, Zeit, Parent, Child, Folder. Throws DatabaseError.
class CDaoGebDataInfo : private detail::OwnedConnection, public RecordSet {
public:
    enum Field { IdField, NameField, VornameField, GeburtsdatumField, ZeitField,
                 ParentField, ChildField, FolderField };

    /// Opens its own connection to PersonsDatabasePath().
    CDaoGebDataInfo();
    /// Opens its own connection to the persons database at `path`.
    explicit CDaoGebDataInfo(const QString &path);
    /// Works on a connection owned by the caller.
    explicit CDaoGebDataInfo(Connection &db);

    PersonRow row() const;
};

/// A person to add: names as typed (leading and trailing blanks dropped,
/// composed to NFC; control characters are refused), a valid date of birth, a time of birth (0 or null when none) and the
/// name of the group to file the person in (empty: the top level).
struct PersonEntry {
    QString last;
    QString first;
    DateTimeValue born = DateTimeValue::null();
    DateTimeValue time;
    QString group;
};

/// What addPersonUnlessDuplicate did: the new row, or the name of the group
/// in which a person of the same names stands (the top level's name at the
/// top level), in which case nothing was added.
struct AddOutcome {
    std::optional<PersonRow> added;
    std::optional<QString> duplicateGroup;
};

/// What importPersons did.
struct ImportCount {
    int imported = 0;
    int alreadyPresent = 0; ///< same names, date and time of birth: skipped
};

/// What DeleteRow did.
enum class DeleteOutcome { Deleted, GroupNotEmpty, NotFound, TopLevel };

/// The person store's operations on one database file, each one open,
/// work and close on its own connection, every change one transaction.
/// Names given by the user are quoted in every filter, so apostrophes and
/// any other characters are taken as they are.
class PersonStore {
public:
    /// The persons database of PersonsDatabasePath().
    PersonStore();
    explicit PersonStore(QString path);
    const QString &path() const { return m_path; }

    /// Rows of one level (key -1: the top level), groups first, then by last
    /// and first name.
    Result<std::vector<PersonRow>> listLevel(int key) const;
    /// Every group row except the top level's, by name.
    Result<std::vector<PersonRow>> listGroups() const;
    /// Every person row, by last name, first name and ID.
    Result<std::vector<PersonRow>> listPersons() const;
    /// The row with this ID; nothing when none.
    Result<std::optional<PersonRow>> find(int id) const;

    /// Whether a person with these names exists (a missing name matches
    /// only rows where it is missing too): nothing when not, else the name
    /// of the group it stands in (the top level's name at the top level).
    Result<std::optional<QString>> findDuplicateGroupName(const QString &last, const QString &first) const;
    /// Adds a person, filed in the group of that name (only group rows are
    /// looked at), which is made at the top level when no group has that
    /// name. Returns the new row.
    Result<PersonRow> addPerson(const PersonEntry &entry) const;
    /// Adds the person unless findDuplicateGroupName finds one of the same
    /// names; check and add are one transaction, so that of several
    /// processes adding the same person at once only one adds it.
    Result<AddOutcome> addPersonUnlessDuplicate(const PersonEntry &entry) const;
    /// Adds all persons in one transaction: all or none.
    Status addPersons(const std::vector<PersonEntry> &entries) const;
    /// Adds all persons in one transaction (all or none), skipping those
    /// already stored (or met earlier in `entries`) with the same names,
    /// date and time of birth. Takes time in proportion to the count.
    Result<ImportCount> importPersons(const std::vector<PersonEntry> &entries) const;
    /// Rewrites person `id`, filed in the group of that name, which is made
    /// at the top level when no group has that name. Returns the new row.
    Result<PersonRow> updatePerson(int id, const PersonEntry &entry) const;
    /// Adds a group at the top level with the key one below the smallest.
    Result<PersonRow> addGroup(const QString &name) const;
    /// Renames group `id`.
    Status renameGroup(int id, const QString &name) const;
    /// Files person `personId` in group `groupId` (a group row's ID).
    Status movePerson(int personId, int groupId) const;
    /// Files person `personId` in the level with key `levelKey` (going up:
    /// the Parent of the group shown).
    Status movePersonToLevel(int personId, int levelKey) const;
    /// Deletes a person, or a group without members.
    Result<DeleteOutcome> deleteRow(int id) const;
    /// The name of the group whose key is `parentKey`; empty when none.
    Result<QString> groupNameOfPerson(int parentKey) const;

private:
    QString m_path;
};

/// Creates Data with its indexes and the top-level row.
void CreatePersonsSchema(Connection &db);
/// Creates a new persons database file at `path` holding only the top-level
/// row; `fill` may add rows in the same transaction.
Status CreatePersonsDatabase(const QString &path, const std::function<void(Connection &)> &fill = {});

} // namespace quadrivium
