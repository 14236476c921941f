#pragma once

#include <QString>

namespace quadrivium {

/// A record-set filter split into its condition and the ORDER BY clause it
/// may end with ("Folder=True ORDER BY Child DESC").
struct SqlCondition {
    QString where;   ///< SQLite condition; empty when the filter has none
    QString orderBy; ///< the sort after ORDER BY; empty when none
};

/// Translates a filter of the stores' dialect (bracketed names, "Is Null",
/// True/False, a trailing ORDER BY) into SQLite. The words True and False
/// outside string literals and brackets become -1 and 0, the values a
/// boolean column holds; everything else is SQLite already.
SqlCondition TranslateFilter(const QString &filter);

/// The table a record source names, for "[Data]", "Data" and
/// "Select * From [Intro]"; empty for any other SQL text.
QString TableOfSource(const QString &source);

} // namespace quadrivium
