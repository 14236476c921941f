#pragma once

#include "chartgrid.h"
#include "corenumbers.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quadrivium {

/// How two numbers get on with each other, after the tradition's table: the
/// numbers of one group (1-5-7, 2-4-8, 3-6-9) are natural partners; across
/// the groups a pair is compatible, neutral or challenging.
enum class Relation { Natural, Compatible, Neutral, Challenging };
inline constexpr std::array kRelations{Relation::Natural, Relation::Compatible, Relation::Neutral,
                                       Relation::Challenging};

/// The relation of two numbers 1..9, 11 or 22; master numbers count as 2 and
/// 4, and any other number above 9 by its digit sum. Nothing when either
/// number is 0 or negative (a name part without a number). Symmetric.
std::optional<Relation> RelationOf(int a, int b);
/// "natural", "compatible", "neutral", "challenging".
const char *RelationKey(Relation relation);

/// The numbers two persons are compared by, in their shown order.
enum class CompareRole { Ruling, Day, Fate, Appearance, Dominant };
inline constexpr std::array kCompareRoles{CompareRole::Ruling, CompareRole::Day, CompareRole::Fate,
                                          CompareRole::Appearance, CompareRole::Dominant};
/// "ruling", "day", "fate", "appearance", "dominant".
const char *CompareRoleKey(CompareRole role);
/// "Ruling Number", "Day Number", "Number of Fate", ...
const char *CompareRoleTitle(CompareRole role);

/// One number of both persons. The Day Number is compared reduced to 1..9.
struct ComparedPair {
    CompareRole role = CompareRole::Ruling;
    int a = 0;
    int b = 0;
    std::optional<Relation> relation;
};

/// A compared number as it is shown: "-" for 0, which stands for a name
/// without that number (no vowel, say).
std::string ComparedNumberText(int number);

/// The digits of both dates of birth in one grid.
struct CombinedChart {
    std::array<std::uint8_t, 10> countA{};
    std::array<std::uint8_t, 10> countB{};
    ChartGrid together; ///< the grid of both counts added, with its lines
    /// Lines (indexes into ChartLines(), in LineWalkOrder()) that each person
    /// forms alone.
    std::vector<int> linesA, linesB;
    /// Present lines that the combined grid forms and neither person alone:
    /// each completes a line for the other.
    std::vector<int> linesTogether;
};

/// Everything the compatibility reading shows for persons A and B.
struct Compatibility {
    std::array<ComparedPair, kCompareRoles.size()> pairs;
    CombinedChart chart;
};

/// Compares the core numbers and birth charts of two persons. Swapping A and
/// B swaps the sides and keeps every relation and line.
Compatibility ComputeCompatibility(const CoreNumberSet &a, const ChartGrid &gridA,
                                   const CoreNumberSet &b, const ChartGrid &gridB);

/// "Compatibility" NumberID of the text on a role's relation: 10 * (role + 1)
/// + relation + 1 (Ruling natural 11 .. Dominant challenging 54).
int RelationNumberID(CompareRole role, Relation relation);
/// "Compatibility" NumberID of the text on a present line completed by the
/// other person: 100 + the line's "Chart" NumberID.
int LineTogetherNumberID(int lineIndex);

} // namespace quadrivium
