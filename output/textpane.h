#pragma once

#include "store/result.h"

class QTextEdit;

namespace quadrivium {

class TextStore;

/// Shows record `numberId` of text table `table` in a pane: its title, an
/// empty line and its text, each as RTF or plain text as stored, caret at
/// the start. A missing record leaves the pane as it is. The failure of the
/// store comes back for the caller to report.
Status ShowText(QTextEdit &pane, const TextStore &store, int table, int numberId);
/// The same from the program's text database.
Status ShowText(QTextEdit &pane, int table, int numberId);
/// As ShowText; tells whether the record is stored (false: the pane was
/// left as it is).
Result<bool> ShowStoredText(QTextEdit &pane, const TextStore &store, int table, int numberId);
Result<bool> ShowStoredText(QTextEdit &pane, int table, int numberId);

/// Shows up to three records of one table, one after the other: record a,
/// b + 3 and c + 6, each only when its argument is not 0 (the biorhythm's
/// three curve states). The pane is emptied first.
Status ShowTextTriple(QTextEdit &pane, const TextStore &store, int table, int a, int b, int c);
Status ShowTextTriple(QTextEdit &pane, int table, int a, int b, int c);

} // namespace quadrivium
