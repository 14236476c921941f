#include "compatibility.h"

#include "reduce.h"

namespace quadrivium {

namespace {

// N natural, C compatible, U neutral (unmarked), X challenging; rows and
// columns are the numbers 1..9.
constexpr char kTable[9][10] = {
    "NXCXNXNUC", // 1
    "XNCNXCXNU", // 2
    "CCNXCNXXN", // 3
    "XNXNXCCNX", // 4
    "NXCXNXNUC", // 5
    "XCNCXNXCN", // 6
    "NXXCNXNXU", // 7
    "UNXNUCXNX", // 8
    "CUNXCNUXN", // 9
};

int TableNumber(int n)
{
    return n >= 10 ? ReduceToDigit(n) : n;
}

} // namespace

std::optional<Relation> RelationOf(int a, int b)
{
    a = TableNumber(a);
    b = TableNumber(b);
    if (a < 1 || b < 1)
        return std::nullopt;
    switch (kTable[a - 1][b - 1]) {
    case 'N': return Relation::Natural;
    case 'C': return Relation::Compatible;
    case 'X': return Relation::Challenging;
    default: return Relation::Neutral;
    }
}

const char *RelationKey(Relation relation)
{
    switch (relation) {
    case Relation::Natural: return "natural";
    case Relation::Compatible: return "compatible";
    case Relation::Neutral: return "neutral";
    case Relation::Challenging: return "challenging";
    }
    return "";
}

const char *CompareRoleKey(CompareRole role)
{
    switch (role) {
    case CompareRole::Ruling: return "ruling";
    case CompareRole::Day: return "day";
    case CompareRole::Fate: return "fate";
    case CompareRole::Appearance: return "appearance";
    case CompareRole::Dominant: return "dominant";
    }
    return "";
}

const char *CompareRoleTitle(CompareRole role)
{
    switch (role) {
    case CompareRole::Ruling: return "Ruling Number";
    case CompareRole::Day: return "Day Number";
    case CompareRole::Fate: return "Number of Fate";
    case CompareRole::Appearance: return "Number of Appearance";
    case CompareRole::Dominant: return "Dominant Name Number";
    }
    return "";
}

std::string ComparedNumberText(int number)
{
    return number == 0 ? std::string("-") : std::to_string(number);
}

namespace {

int RoleNumber(const CoreNumberSet &n, CompareRole role)
{
    switch (role) {
    case CompareRole::Ruling: return n.rulingNumber;
    case CompareRole::Day: return ReduceToDigit(n.dayNumber);
    case CompareRole::Fate: return n.core.m_nFate;
    case CompareRole::Appearance: return n.core.m_nAppearance;
    case CompareRole::Dominant: return n.core.m_nDominant;
    }
    return 0;
}

std::vector<int> FormedLines(const ChartGrid &grid)
{
    std::vector<int> formed;
    for (int index : LineWalkOrder()) {
        if (grid.m_bLine[static_cast<std::size_t>(index)])
            formed.push_back(index);
    }
    return formed;
}

} // namespace

Compatibility ComputeCompatibility(const CoreNumberSet &a, const ChartGrid &gridA,
                                   const CoreNumberSet &b, const ChartGrid &gridB)
{
    Compatibility c;
    for (std::size_t i = 0; i < kCompareRoles.size(); ++i) {
        const CompareRole role = kCompareRoles[i];
        ComparedPair &pair = c.pairs[i];
        pair.role = role;
        pair.a = RoleNumber(a, role);
        pair.b = RoleNumber(b, role);
        pair.relation = RelationOf(pair.a, pair.b);
    }
    CombinedChart &chart = c.chart;
    chart.countA = gridA.m_nDigitCount;
    chart.countB = gridB.m_nDigitCount;
    std::array<std::uint8_t, 10> sum{};
    for (std::size_t d = 0; d < sum.size(); ++d)
        sum[d] = static_cast<std::uint8_t>(chart.countA[d] + chart.countB[d]);
    chart.together = ChartGridFromCounts(sum);
    chart.linesA = FormedLines(gridA);
    chart.linesB = FormedLines(gridB);
    for (int index : FormedLines(chart.together)) {
        const auto i = static_cast<std::size_t>(index);
        if (!ChartLines()[i].missing && !gridA.m_bLine[i] && !gridB.m_bLine[i])
            chart.linesTogether.push_back(index);
    }
    return c;
}

int RelationNumberID(CompareRole role, Relation relation)
{
    return 10 * (static_cast<int>(role) + 1) + static_cast<int>(relation) + 1;
}

int LineTogetherNumberID(int lineIndex)
{
    return 100 + ChartLines()[static_cast<std::size_t>(lineIndex)].numberId;
}

} // namespace quadrivium
