#pragma once

#include "store/personlisting.h"

#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace quadrivium {

/// The rows of a PersonListing as a list asks for them: the count read at
/// reset(), the rows read a page at a time when first asked for, and only
/// the pages used last kept.
class PersonRowCache {
public:
    explicit PersonRowCache(PersonListing listing);

    const PersonListing &listing() const { return m_listing; }
    /// Reads the count again and forgets every row read; on failure the
    /// cache is empty.
    Status reset();
    /// True when the file is known unchanged since the last reset.
    bool isCurrent() const;
    int count() const { return m_count; }
    /// The row at `position`; nullptr when there is none or it cannot be
    /// read.
    const PersonRow *rowAt(int position);
    /// The row with ID `id` among the rows read; nullptr when not read.
    const PersonRow *readRow(int id) const;
    /// The position of the row with ID `id` among the rows read; nothing
    /// when not read.
    std::optional<int> readPosition(int id) const;

private:
    static constexpr int kPageSize = 256;
    static constexpr std::size_t kPagesKept = 32;

    PersonListing m_listing;
    int m_count = 0;
    std::optional<long long> m_version; ///< of the file at the last reset
    std::map<int, std::vector<PersonRow>> m_pages; ///< by page number
    std::deque<int> m_used;                          ///< page numbers, the one used last at the back
};

} // namespace quadrivium
