#pragma once

// The store layer: the database files of the program and what is kept in
// them. Today it holds the date and time values' text forms in the user's
// locale and the rules of the masked date and time entry (datetext,
// entryrules); the location of the two database files, their password and
// the SQLCipher connection with its statements and record sets (location,
// databasekey, connection, statement, recordset, sqldialect); the text
// store with its readable source files (textstore, textsource); the person
// store (personstore); the check every output file passes before it is
// written (outputfile). It may use the engine, Qt Core, SQLCipher's C API
// and libcrypto; not Qt SQL (its SQLite would clash with SQLCipher's in one
// process) and not Qt Gui.

#include "connection.h"
#include "databasekey.h"
#include "inputfile.h"
#include "letterrulessetting.h"
#include "location.h"
#include "outputfile.h"
#include "personname.h"
#include "personstore.h"
#include "recordset.h"
#include "result.h"
#include "sqldialect.h"
#include "statement.h"
#include "textstore.h"
#include "textupgrade.h"
