#pragma once

#include "store/result.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace quadrivium {

class CQuadriviumDoc;

/// Tells when the persons file changed on disk, by this program or by
/// another instance of it. Bursts of writes are reported once.
class CPersonsFileWatch : public QObject {
    Q_OBJECT
public:
    /// Watches the file at `path`; an empty path watches nothing.
    explicit CPersonsFileWatch(const QString &path, QObject *parent = nullptr);

signals:
    void changed();

private:
    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};

/// Whether the document's current person is still a person row of the
/// persons file at `path` (a row with the current display name). True when
/// there is no current person.
Result<bool> CurrentPersonInFile(const CQuadriviumDoc &document, const QString &path);

} // namespace quadrivium
