#pragma once

// The app layer: the desktop program's shell. It starts the program
// (CQuadriviumApp), builds the main window with its commands, bars, the
// tabbed sheet of reading pages and the text pane (CMainFrame), and holds
// the window components (splitter, toolbars, calendar bar, splash, tip of
// the day, help window, about box) and the person dialogs.
// May use: pages, output, store, engine, Qt Widgets/Gui/PrintSupport/Svg.
// Nothing below this layer uses it; pages reach the window only through
// their signals, which CMainFrame routes.

#include "commandregistry.h"
#include "mainframe.h"
#include "quadriviumapp.h"
