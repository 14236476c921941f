#include "personsfilewatch.h"

#include "pages/quadriviumdoc.h"
#include "store/personstore.h"

#include <algorithm>

namespace quadrivium {

namespace {
constexpr int kSettleMs = 150;
}

CPersonsFileWatch::CPersonsFileWatch(const QString &path, QObject *parent)
    : QObject(parent), m_path(path)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        // A file replaced as a whole drops out of the watch: take it up again.
        if (!m_watcher.files().contains(m_path))
            m_watcher.addPath(m_path);
        emit changed();
    });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_settle.start(); });
    if (!m_path.isEmpty())
        m_watcher.addPath(m_path);
}

Result<bool> CurrentPersonInFile(const CQuadriviumDoc &document, const QString &path)
{
    if (!document.hasPerson())
        return true;
    const auto persons = PersonStore(path).listPersons();
    if (!persons.ok())
        return Result<bool>::failure(persons.error());
    return std::any_of(persons.value().begin(), persons.value().end(), [&](const PersonRow &row) {
        return row.displayName() == document.personName();
    });
}

} // namespace quadrivium
