#pragma once

// The pages layer: the document that holds the current person and the
// shown page (quadriviumdoc) and the pages of the tabbed sheet: the
// introduction (intropage), the birth chart (chartpage), the pyramid
// (pyramidpage), the biorhythm (biorhythmpage) and the calculation
// walkthrough (knowhowpage), built by readingpages on the
// common base readingpage, with their hot spots, dialog units and look
// (hotspots, dialogunits, pagelook, designedpage) and their pictures
// (pagepicture), and the printed reports of the pages (reports,
// introprintjob, and the reading reports chartprintjob, pyramidprintjob and
// biorhythmprintjob on their base readingprintjob). May use: output, store, engine, Qt
// Widgets/Gui/PrintSupport. Never the main window: pages ask for texts and
// commands through their signals.

#include "quadriviumdoc.h"
#include "readingpage.h"
#include "readingpages.h"
