#pragma once

class QWidget;

namespace quadrivium {

/// When the persons file used last time has gone: says so and asks whether
/// to go on with the file that would take its place (or a new, empty one),
/// which is then remembered. True when the program may go on (nothing had
/// gone, or the user agreed); false when the user would rather bring the
/// file back first, which stays remembered.
bool ConfirmGonePersonsFile(QWidget *parent = nullptr);

} // namespace quadrivium
