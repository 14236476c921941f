#pragma once

// The app layer: the desktop program's shell. It starts the program
// (CQuadriviumApp, splash, tip of the day), builds the main window with its
// command table, menus and bars (CMainFrame, commandregistry, mainbar,
// calendarbar, flattoolbar, barlayout, statusbar, windowplacement), the
// view with the tabbed sheet of pages above the text pane
// (CQuadriviumView, CsheetWithTab, advancedsplitter, richview), the
// settings sheet and quick view (setupsheet, settingscommand, quickview),
// the text manager (texteditor), the export and Save as (exportcommands),
// the customisable bars (chartlinebar, daybarsettings, barbuttons,
// barcustomizedialog), the print commands (printcommands), and the
// dialogs: person selection, person entry, groups, date and time fields,
// help and about (personselectdialog, personlistview, persondialog,
// groupdialog, dateedit, helpwindow, aboutdialog). The command-line
// program quadrivium-cli lives in cli/.
// May use: pages, output, store, engine, Qt Widgets/Gui/PrintSupport/Svg.
// Nothing below this layer uses it; pages reach the window only through
// their signals, which CMainFrame routes.

#include "commandregistry.h"
#include "mainframe.h"
#include "quadriviumapp.h"
