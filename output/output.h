#pragma once

// The output layer: what the program shows and writes as text. Today it
// holds the RTF reader and writer (rtftokenizer, rtfparser, rtfreader,
// rtfwriter, rtfcodepage), the streaming of plain text and RTF into and out
// of a text pane (richtextstream), stored titles and texts shown in a text
// pane (storedtext, textpane), the biorhythm month graph (biorhythmgraph),
// the export of a reading (exportassembly), the
// print options dialog (optionsdialog), the printed reports (printjob with
// its page geometry, recorded pages, print surfaces and settings, the cell
// grid of print graphics, a paint device that draws on a print surface
// (surfacepaintdevice), and reportoutput to printers and PDF files), the
// program's string table
// (stringtable) and the error funnel through which every failed command
// reports (errorfunnel). It may use Qt Gui, Widgets and PrintSupport, the store
// layer and the engine; nothing above it (pages, app).

#include "richtextstream.h"
#include "rtfparser.h"
#include "rtfreader.h"
#include "rtfroundtripcheck.h"
#include "rtfwriter.h"
#include "storedtext.h"
