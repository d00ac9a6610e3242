// The list's ordering as the rest of the program relies on it: the stand-ins'
// Western model, and the catalogue in the order of whatever keys the code
// page gives. The Windows test SortOrderTest checks both against the system
// itself; these pin the properties that positions and map_index depend on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/MapCatalogue.h"
#include "standin/MapNameOrder.h"
#include "standin/StandinCodePage.h"

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

TEST(MapNameOrder, CatalogueKeepsTheOrderOfAddingAmongEqualNames) {
    // Described maps come as the search found them; a built-in map goes
    // after every described map whose name sorts equal to its own.
    const std::vector<MapEntry> rows = SortedCatalogue({{"zulu", "z.mmp", "z", "z", "z"},
                                                        {"1ST CITY - DOWNTOWN", "b.mmp", "b", "b", "b"},
                                                        {"1st city - downtown", "a.mmp", "a", "a", "a"},
                                                        {"Beta", "c.mmp", "c", "c", "c"}},
                                                       Western1252());
    ASSERT_EQ(rows.size(), 16u);
    std::vector<std::string> first;
    for (int i = 0; i < 3; ++i) first.push_back(rows[i].mmp + rows[i].gmp);
    EXPECT_EQ(first, (std::vector<std::string>{"b.mmpb", "a.mmpa", "wil.gmp"}));
    EXPECT_EQ(rows.back().mmp, "z.mmp");
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_LE(CompareMapNames(rows[i - 1].name, rows[i].name), 0) << rows[i - 1].name << " / " << rows[i].name;
    }
}

TEST(MapNameOrder, CatalogueFollowsTheCodePagesKeysAndKeepsTiesInOrderOfAdding) {
    // Keys that order by length alone: most names tie, and a key taken from
    // the wrong row would show. A name with a '?' gets no key, as a name the
    // system refuses: it is still listed, keyed by its own bytes, whose
    // first (the letter q) is above every length.
    class ByLength : public SingleByteCodePage {
    public:
        bool AppendSortKey(const std::string& text, std::string& keys) const override {
            if (text.find('?') != std::string::npos) return false;
            keys += static_cast<char>(text.size());
            return true;
        }
    };
    for (const bool refusedFirst : {true, false}) {
        std::vector<MapEntry> described = {
            {"zz", "z.mmp", "z", "z", "z"}, {"a", "a.mmp", "a", "a", "a"}, {"bb", "b.mmp", "b", "b", "b"}};
        described.insert(refusedFirst ? described.begin() : described.end(), {"q?", "q.mmp", "q", "q", "q"});
        const std::vector<MapEntry> rows = SortedCatalogue(described, ByLength());
        std::vector<std::string> order;
        for (const MapEntry& row : rows) order.push_back(row.mmp.empty() ? row.gmp : row.mmp);
        EXPECT_EQ(order,
                  (std::vector<std::string>{"a.mmp", "z.mmp", "b.mmp", "lorne2e.gmp", "lorne2m.gmp", "lorne2h.gmp",
                                            "mike1e.gmp", "mike1m.gmp", "mike1h.gmp", "mike2e.gmp", "mike2m.gmp",
                                            "mike2h.gmp", "wil.gmp", "bil.gmp", "ste.gmp", "q.mmp"}))
            << (refusedFirst ? "refused name found first" : "refused name found last");
    }
}
