#pragma once

// The pages layer: the reading pages of the tabbed sheet (birth chart,
// pyramid, biorhythm, calculation walkthrough, introduction), their
// printed reports and the calendar, and the document they all read.
// May use: output, store, engine, Qt Widgets/Gui/PrintSupport. Never the
// main window: pages ask for texts and commands through their signals.

#include "quadriviumdoc.h"
#include "readingpage.h"
#include "readingpages.h"
