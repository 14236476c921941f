#pragma once

#include "datetimevalue.h"
#include "pyramid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quadrivium {

/// How many lines the chart knows: eight present and eight missing ones.
inline constexpr std::size_t kChartLineCount = 16;

/// The birth chart: how often each digit occurs in the date of birth, the
/// cell text of each digit and which of the lines are formed.
struct ChartGrid {
    std::array<std::uint8_t, 10> m_nDigitCount{};
    std::array<std::string, 10> m_strCell;
    std::array<bool, kChartLineCount> m_bLine{};
};

/// A line of the chart: three digits present together, or absent together.
struct ChartLine {
    int digits[3];
    bool missing;     ///< formed when none of the digits occurs
    int numberId;     ///< NumberID of its text in the "Chart" table
    int labelId;      ///< string id of its short label
    const char *label;
    const char *digitText; ///< "3-6-9"
};

/// The lines, index 0..15 = "Chart" NumberIDs 1..16: the eight present
/// lines, then the missing 3-6-9, 2-5-8, 4-5-6, 3-5-7, 1-5-9, 1-2-3, 1-4-7
/// and 7-8-9.
const std::array<ChartLine, kChartLineCount> &ChartLines();
/// The order in which pages and reports walk the lines (indexes into ChartLines()):
/// missing 3-6-9, 2-5-8, 4-5-6, 3-5-7, 1-5-9, 1-2-3, 1-4-7, 7-8-9, then
/// present 3-6-9, 2-5-8, 1-4-7, 1-2-3, 4-5-6, 7-8-9, 3-5-7, 1-5-9.
const std::array<int, kChartLineCount> &LineWalkOrder();

/// Grid row (0 = top) and column (0 = left) of digit 1..9.
int GridRow(int digit);
int GridColumn(int digit);

std::optional<ChartGrid> ComputeChartGrid(const DateTimeValue &birth);
ChartGrid ComputeChartGrid(const BirthDigits &digits);
/// The grid of given digit counts (index 0..9), with its cells and lines.
ChartGrid ChartGridFromCounts(const std::array<std::uint8_t, 10> &counts);

/// "Zahlen" NumberID of digit d (1..9) occurring c times: 5(d-1) + 1 + min(c, 4).
int CellNumberID(int digit, int count);

} // namespace quadrivium
