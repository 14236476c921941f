#include "textupgrade.h"

#include "location.h"
#include "statement.h"
#include "textstore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quadrivium {

int TextDataVersion(Connection &db)
{
    Statement version(db, QStringLiteral("PRAGMA user_version"));
    return version.step() ? int(version.integer(0)) : 0;
}

void SetTextDataVersion(Connection &db, int version)
{
    db.exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
}

QString BackupPathFor(const QString &copy, int version)
{
    const QString base = QStringLiteral("%1.v%2").arg(copy).arg(version);
    QString path = base + QStringLiteral(".bak");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QStringLiteral("%1-%2.bak").arg(base).arg(n);
    return path;
}

Result<TextSourceVersion> ReadTextSourceVersion(const QString &folder)
{
    using R = Result<TextSourceVersion>;
    QFile file(QDir(folder).filePath(QStringLiteral("VERSION")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return R::failure(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    TextSourceVersion found;
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool number = false;
        if (words.size() == 2 && words[0] == QLatin1String("version"))
            found.version = words[1].toInt(&number);
        else if (words.size() == 2 && words[0] == QLatin1String("checksum"))
            found.checksum = words[1];
        if (words.size() != 2 || (words[0] == QLatin1String("version") && (!number || found.version <= 0))
            || (words[0] != QLatin1String("version") && words[0] != QLatin1String("checksum")))
            return R::failure(QStringLiteral("%1:%2: expected \"version N\" or \"checksum HEX\"")
                                  .arg(file.fileName()).arg(lineNumber));
    }
    if (found.version <= 0)
        return R::failure(QStringLiteral("%1: no \"version N\" line").arg(file.fileName()));
    return found;
}

QString TextSourcesChecksum(const QString &folder)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int table = 0; table < kTextTableCount; ++table) {
        const QString name = TextTableName(table) + QStringLiteral(".txt");
        QFile file(QDir(folder).filePath(name));
        hash.addData(name.toUtf8());
        if (file.open(QIODevice::ReadOnly))
            hash.addData(file.readAll());
    }
    return QString::fromLatin1(hash.result().toHex());
}

namespace {

struct SuppliedRecord {
    int table;
    TextRecord record;
};

std::vector<SuppliedRecord> readAll(Connection &db)
{
    std::vector<SuppliedRecord> all;
    for (int table = 0; table < kTextTableCount; ++table) {
        CDao dao(db);
        dao.SetTable(table);
        dao.open();
        for (; !dao.isEOF(); dao.moveNext())
            all.push_back({table, dao.record()});
    }
    return all;
}

bool introIdFree(Connection &db, int id)
{
    Statement taken(db, QStringLiteral("SELECT 1 FROM [Intro] WHERE [ID] = ?"));
    taken.bindInt(1, id);
    return !taken.step();
}

/// Takes one supplied record into the copy unless the user edited it there.
void takeOver(Connection &db, const SuppliedRecord &s, const std::optional<std::set<TextKey>> &edited)
{
    if (edited && edited->count({s.table, s.record.numberId}))
        return;
    CDao dao(db);
    dao.SelectText(s.table, s.record.numberId);
    dao.open();
    if (dao.isEOF()) {
        dao.close();
        // The Intro table's ID follows the NumberID, as in the supplied file,
        // unless a record the user added holds that ID already.
        const bool keepId = s.table == 0 && s.record.numberId > 0 && introIdFree(db, s.record.numberId);
        InsertText(db, s.table, s.record, keepId ? s.record.numberId : 0);
        return;
    }
    if (!edited && dao.record().isRtf())
        return;
    dao.edit();
    dao.setRecord(s.record);
    dao.update();
    dao.close();
}

/// The heading records of an exported reading (title list 1..3) that hold
/// a person's value, as exports of earlier versions left them in the
/// texts.
std::vector<int> headingsWithPersonData(Connection &db)
{
    const QString start = QString::fromLatin1(kExportHeadingStart);
    std::vector<int> found;
    for (int numberId = 1; numberId <= 3; ++numberId) {
        CDao dao(db);
        dao.SelectText(kTitleListTable, numberId);
        dao.open();
        if (!dao.isEOF() && dao.record().text.startsWith(start))
            found.push_back(numberId);
    }
    return found;
}

/// Gives the heading records that hold a person's value the supplied
/// records' texts again.
void clearPersonHeadings(Connection &db, Connection &source)
{
    for (const int numberId : headingsWithPersonData(db)) {
        CDao supplied(source);
        supplied.SelectText(kTitleListTable, numberId);
        supplied.open();
        if (supplied.isEOF())
            continue;
        CDao dao(db);
        dao.SelectText(kTitleListTable, numberId);
        dao.open();
        dao.edit();
        dao.setRecord(supplied.record());
        dao.update();
        dao.close();
    }
}

} // namespace

Result<bool> UpgradeTextCopy(const QString &copy, const QString &supplied)
{
    try {
        Connection source(supplied, Connection::Access::ReadOnly);
        const int newVersion = TextDataVersion(source);
        Connection db(copy);
        if (TextDataVersion(db) >= newVersion) {
            if (headingsWithPersonData(db).empty())
                return false;
            Transaction transaction(db);
            clearPersonHeadings(db, source);
            transaction.commit();
            return false;
        }
        const std::vector<SuppliedRecord> records = readAll(source);
        // The write lock keeps other writers out from here to the commit, so
        // the backup is the file exactly as the upgrade found it.
        Transaction transaction(db);
        const int oldVersion = TextDataVersion(db);
        if (oldVersion >= newVersion)
            return false; // another process was quicker
        const QString backup = BackupPathFor(copy, oldVersion);
        const Status saved = CopyPrivately(copy, backup);
        if (!saved)
            return Result<bool>::failure(QStringLiteral("cannot back up the texts before the upgrade: %1")
                                             .arg(saved.error()));
        // A copy made before a table was supplied gets it now.
        CreateTextSchema(db);
        const auto edited = EditedTextKeys(db);
        for (const SuppliedRecord &s : records)
            takeOver(db, s, edited);
        clearPersonHeadings(db, source);
        SetTextDataVersion(db, newVersion);
        transaction.commit();
        return true;
    } catch (const DatabaseError &error) {
        return Result<bool>::failure(error.message());
    }
}

} // namespace quadrivium
