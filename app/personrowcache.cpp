#include "personrowcache.h"

#include <algorithm>

namespace quadrivium {

PersonRowCache::PersonRowCache(PersonListing listing) : m_listing(std::move(listing))
{
}

Status PersonRowCache::reset()
{
    m_pages.clear();
    m_used.clear();
    m_count = 0;
    m_version.reset();
    // Read before the count: a change in between makes the next refresh
    // read again.
    if (const auto version = m_listing.version(); version.ok())
        m_version = version.value();
    const auto count = m_listing.count();
    if (!count.ok()) {
        m_version.reset();
        return Status::failure(count.error());
    }
    m_count = count.value();
    return Done{};
}

const PersonRow *PersonRowCache::rowAt(int position)
{
    if (position < 0 || position >= m_count)
        return nullptr;
    const int page = position / kPageSize;
    auto found = m_pages.find(page);
    if (found == m_pages.end()) {
        auto rows = m_listing.rows(page * kPageSize, kPageSize);
        if (!rows.ok())
            return nullptr;
        if (m_pages.size() >= kPagesKept) {
            m_pages.erase(m_used.front());
            m_used.pop_front();
        }
        found = m_pages.emplace(page, std::move(rows.value())).first;
    } else {
        m_used.erase(std::find(m_used.begin(), m_used.end(), page));
    }
    m_used.push_back(page);
    const std::vector<PersonRow> &rows = found->second;
    const auto index = std::size_t(position % kPageSize);
    // The file may have lost rows since the count was read.
    return index < rows.size() ? &rows[index] : nullptr;
}

bool PersonRowCache::isCurrent() const
{
    const auto version = m_listing.version();
    return version.ok() && m_version && *m_version == version.value();
}

std::optional<int> PersonRowCache::readPosition(int id) const
{
    for (const auto &[page, rows] : m_pages) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].id == id)
                return page * kPageSize + int(i);
        }
    }
    return std::nullopt;
}

const PersonRow *PersonRowCache::readRow(int id) const
{
    for (const auto &[page, rows] : m_pages) {
        for (const PersonRow &row : rows) {
            if (row.id == id)
                return &row;
        }
    }
    return nullptr;
}

} // namespace quadrivium
