#pragma once

#include "store/result.h"

#include <QString>

#include <functional>

class QWidget;

namespace quadrivium {

/// Shows a failed operation's message in a message box (caption "Error",
/// stop icon) and lets the program go on. Every command's database and
/// file errors end here.
void ShowError(QWidget *parent, const QString &message);

/// Runs a command; a DatabaseError or any other exception raised inside is
/// shown with ShowError and the command abandoned. False when it failed.
bool RunGuarded(QWidget *parent, const std::function<void()> &command);

/// Shows the failure of `result`, if any; returns whether it succeeded.
template<typename T>
bool Succeeded(QWidget *parent, const Result<T> &result)
{
    if (!result.ok())
        ShowError(parent, result.error());
    return result.ok();
}

/// The message last shown (for tests and the status bar); empty when none.
QString LastShownError();

} // namespace quadrivium
