#pragma once

// What the widget tests of the program share.

#include "app/quadriviumapp.h"

#include "pages/quadriviumdoc.h"

#include "store/location.h"
#include "store/personstore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

/// Starts the program as its main() does, without splash, tips and start-up
/// action; `prepare` may first write the settings the run reads.
inline std::unique_ptr<quadrivium::CQuadriviumApp>
StartProgram(const std::function<void(QSettings &)> &prepare = {})
{
    if (prepare) {
        QSettings s;
        prepare(s);
    }
    quadrivium::StartOptions options;
    options.splash = false;
    options.tips = false;
    options.startupAction = false;
    auto app = std::make_unique<quadrivium::CQuadriviumApp>(options);
    app->InitInstance();
    return app;
}

/// Writes every document setting at its default, the start-up choices and
/// a stored window placement, as a program that ran before leaves them.
inline void StoreStartSettings(QSettings &s, int autoload, int lastId, int lastCommand = 0)
{
    using quadrivium::DocumentSettings;
    for (int i = 0; i < DocumentSettings::Count; ++i) {
        const auto v = static_cast<DocumentSettings::Value>(i);
        s.setValue(QLatin1String(DocumentSettings::name(v)), DocumentSettings::defaultValue(v));
    }
    s.setValue(QStringLiteral("Autoload"), autoload);
    s.setValue(QStringLiteral("LastID"), lastId);
    s.setValue(QStringLiteral("LastCommand"), lastCommand);
    s.setValue(QStringLiteral("Settings/WindowPos"), QStringLiteral("0,1,-1,-1,-1,-1,10,10,710,510"));
}

/// Settings, data folder, an editable copy of the supplied text database
/// and an empty persons database, all in a fresh temporary folder.

class ProgramFolder {
public:
    /// Makes the folder and points the program at it; check ok().
    ProgramFolder()
    {
        QApplication::setOrganizationName(QStringLiteral("Velmora"));
        QApplication::setApplicationName(QStringLiteral("Orbisaneng"));
        if (!m_dir.isValid())
            return;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, filePath(QStringLiteral("config")));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, filePath(QStringLiteral("config")));
        qputenv("XDG_DATA_HOME", filePath(QStringLiteral("data")).toUtf8());
        quadrivium::ForgetDatabaseLocations();
        texts = filePath(QStringLiteral("Quadrivium.mdb"));
        if (!QFile::copy(qEnvironmentVariable("QUADRIVIUM_BINARY_DIR") + QStringLiteral("/bin/Quadrivium.mdb"), texts))
            return;
        QFile::setPermissions(texts, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        quadrivium::SetTextDatabasePath(texts);
        persons = filePath(QStringLiteral("persons.mdb"));
        if (!quadrivium::CreatePersonsDatabase(persons).ok())
            return;
        quadrivium::SetPersonsDatabasePath(persons);
        m_ok = true;
    }

    bool ok() const { return m_ok; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    QString texts;
    QString persons;

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

/// Handles the modal windows that appear, one handler each, in order, and
/// notes their class names and, for message boxes, their texts, and their
/// texts with title and icon as "title: text [icon]".
class ModalDriver : public QObject {
public:
    using Handler = std::function<void(QWidget *)>;

    explicit ModalDriver(std::deque<Handler> handlers) : m_handlers(std::move(handlers))
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *w = QApplication::activeModalWidget();
            if (!w || !w->isVisible() || w == m_last || m_handlers.empty())
                return;
            m_last = w;
            seen << QString::fromLatin1(w->metaObject()->className());
            if (auto *box = qobject_cast<QMessageBox *>(w)) {
                texts << box->text();
                boxes << QStringLiteral("%1: %2 [%3]").arg(box->windowTitle(), box->text(),
                                                          QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()));
            }
            Handler handler = std::move(m_handlers.front());
            m_handlers.pop_front();
            handler(w);
        });
        m_timer.start();
    }

    /// A handler that answers a message box with `button`.
    static Handler answer(QMessageBox::StandardButton button)
    {
        return [button](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w))
                box->button(button)->click();
        };
    }

    QStringList seen;
    QStringList texts;
    QStringList boxes;

private:
    std::deque<Handler> m_handlers;
    QTimer m_timer;
    QPointer<QWidget> m_last; // a guarded pointer: a later window may take a closed one's address
};
