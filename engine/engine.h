#pragma once

// The numerology engine: turns a display name and a date of birth into the
// name numbers, the core numbers, the birth chart grid and its lines, the
// pyramid climaxes, the walkthrough texts and the biorhythm curve values.
// Plain C++20 and its standard library only: no Qt, no I/O, no process-wide
// state. Names are single-byte Windows-1252 text; callers convert at the edge.

#include "biorhythm.h"
#include "chartgrid.h"
#include "compatibility.h"
#include "corenumbers.h"
#include "datetimevalue.h"
#include "letterrules.h"
#include "namenumbers.h"
#include "pyramid.h"
#include "reading.h"
#include "reduce.h"
#include "walkthrough.h"
