#pragma once

// What the widget tests of the program share.

#include "app/quadriviumapp.h"

#include <QSettings>

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
