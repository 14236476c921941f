#pragma once

#include <QString>

namespace quadrivium {

/// The program's user-visible texts by id: captions, labels, messages and
/// the tooltips of commands (a command's tooltip has the command's id).
/// An id that is not in the table gives an empty text.
QString LoadString(int id);
bool HasString(int id);

} // namespace quadrivium
