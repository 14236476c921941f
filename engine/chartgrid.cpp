#include "chartgrid.h"

#include <algorithm>

namespace quadrivium {

const std::array<ChartLine, kChartLineCount> &ChartLines()
{
    static const std::array<ChartLine, kChartLineCount> lines{{
        {{1, 5, 9}, false, 1, 6031, "Fate", "1-5-9"},
        {{3, 5, 7}, false, 2, 6038, "Spirituality", "3-5-7"},
        {{3, 6, 9}, false, 3, 6032, "Intellect", "3-6-9"},
        {{2, 5, 8}, false, 4, 6037, "Emotional Stability", "2-5-8"},
        {{1, 2, 3}, false, 5, 6034, "Planner", "1-2-3"},
        {{1, 4, 7}, false, 6, 6033, "Pragmatism", "1-4-7"},
        {{4, 5, 6}, false, 7, 6035, "Will", "4-5-6"},
        {{7, 8, 9}, false, 8, 6036, "Activity", "7-8-9"},
        {{3, 6, 9}, true, 9, 10016, "Poor Memory", "3-6-9"},
        {{2, 5, 8}, true, 10, 7011, "Emotional Vulnerability", "2-5-8"},
        {{4, 5, 6}, true, 11, 10017, "Frustrations", "4-5-6"},
        {{3, 5, 7}, true, 12, 10018, "Scepticism", "3-5-7"},
        {{1, 5, 9}, true, 13, 10041, "Indecision", "1-5-9"},
        {{1, 2, 3}, true, 14, 10042, "Confusion", "1-2-3"},
        {{1, 4, 7}, true, 15, 10043, "Impracticality", "1-4-7"},
        {{7, 8, 9}, true, 16, 10044, "Passiveness", "7-8-9"},
    }};
    return lines;
}

const std::array<int, kChartLineCount> &LineWalkOrder()
{
    static const std::array<int, kChartLineCount> order{8, 9, 10, 11, 12, 13, 14, 15,
                                                        2, 3, 5, 4, 6, 7, 1, 0};
    return order;
}

int GridRow(int digit)
{
    return 2 - (digit - 1) % 3;
}

int GridColumn(int digit)
{
    return (digit - 1) / 3;
}

std::optional<ChartGrid> ComputeChartGrid(const DateTimeValue &birth)
{
    const auto digits = FillBirthDigits(birth);
    if (!digits)
        return std::nullopt;
    return ComputeChartGrid(*digits);
}

ChartGrid ComputeChartGrid(const BirthDigits &b)
{
    std::array<std::uint8_t, 10> counts{};
    for (int digit : {b.dayTens, b.dayOnes, b.monthTens, b.monthOnes, b.yearThousands,
                      b.yearHundreds, b.yearTens, b.yearOnes})
        ++counts[static_cast<std::size_t>(digit)];
    return ChartGridFromCounts(counts);
}

ChartGrid ChartGridFromCounts(const std::array<std::uint8_t, 10> &counts)
{
    ChartGrid grid;
    grid.m_nDigitCount = counts;
    for (int d = 0; d <= 9; ++d)
        grid.m_strCell[d].assign(grid.m_nDigitCount[d], static_cast<char>('0' + d));
    const auto &lines = ChartLines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto &line = lines[i];
        const int present = static_cast<int>(std::count_if(
            std::begin(line.digits), std::end(line.digits),
            [&](int d) { return grid.m_nDigitCount[d] > 0; }));
        grid.m_bLine[i] = line.missing ? present == 0 : present == 3;
    }
    return grid;
}

int CellNumberID(int digit, int count)
{
    return 5 * (digit - 1) + 1 + std::min(count, 4);
}

} // namespace quadrivium
