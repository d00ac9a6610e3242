// The list's ordering as the rest of the program relies on it. The Windows
// test SortOrderTest checks it against the system itself; these pin the
// properties that positions and map_index depend on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/MapNameOrder.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

TEST(MapNameOrder, OrdersAsAWindowsListDoes) {
    // Each name sorts before the next (all measured with CompareStringA).
    const std::vector<std::string> ascending = {
        "",
        " ",
        "  Gap",
        "(beta) Arena",
        "[DM] Arena",
        "_test",
        "1st City - Downtown",
        "1st City Bonus 1",
        "2nd City - Residential",
        "Arena 02",
        "Arena 10",
        "Arena 2",
        "Cafe",
        "Caf\xE9",
        "Minigolf",
        "Mini-Hood",
        "Strasse",
        "'test",
        "-test",
        "Zaibatsu",
    };
    for (std::size_t i = 0; i + 1 < ascending.size(); ++i) {
        EXPECT_LT(CompareMapNames(ascending[i], ascending[i + 1]), 0) << ascending[i] << " / " << ascending[i + 1];
        EXPECT_GT(CompareMapNames(ascending[i + 1], ascending[i]), 0) << ascending[i + 1] << " / " << ascending[i];
    }
}

TEST(MapNameOrder, CaseAndLigaturesMakeNoDifference) {
    EXPECT_EQ(CompareMapNames("ICE RINK", "ice rink"), 0);
    EXPECT_EQ(CompareMapNames("\xC6on", "aeon"), 0);
    EXPECT_EQ(CompareMapNames("Stra\xDF"
                              "e",
                              "STRASSE"),
              0);
    // The hyphen is only a tiebreak: otherwise equal names still differ.
    EXPECT_NE(CompareMapNames("co-op", "coop"), 0);
    EXPECT_EQ(Sign(CompareMapNames("co-op", "coop")), -Sign(CompareMapNames("coop", "co-op")));
}

TEST(MapNameOrder, InsertPositionGoesAfterEqualNames) {
    const std::vector<std::string> rows = {"Alpha", "beta", "BETA", "Gamma"};
    auto at = [&rows](int position) { return rows[position - 1]; };
    EXPECT_EQ(SortedInsertPosition("Beta", 4, at), 4);
    EXPECT_EQ(SortedInsertPosition("aaa", 4, at), 1);
    EXPECT_EQ(SortedInsertPosition("Zeta", 4, at), 5);
    EXPECT_EQ(SortedInsertPosition("anything", 0, at), 1);
}
