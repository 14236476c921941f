#pragma once

// The store layer: the database files of the program (location, opening
// with the program's password, the record sets over them), the text store
// and the person store. It may use the engine, Qt Core, SQLCipher's C API
// and libcrypto; not Qt SQL (its SQLite would clash with SQLCipher's in one
// process) and not Qt Gui.

#include "connection.h"
#include "databasekey.h"
#include "location.h"
#include "personstore.h"
#include "recordset.h"
#include "result.h"
#include "sqldialect.h"
#include "statement.h"
#include "textstore.h"
