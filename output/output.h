#pragma once

// The output layer: rich text in the text panes (reading and writing RTF and
// plain text), the export of readings, the tagged report text and its page
// printing, the cell-grid drawing of print graphics, print options and page
// setup. It may use Qt Gui, Widgets and PrintSupport, the store layer and the
// engine; nothing above it (pages, app).

#include "richtextstream.h"
#include "rtfparser.h"
#include "rtfreader.h"
#include "rtfwriter.h"
#include "storedtext.h"
