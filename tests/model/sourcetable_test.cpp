#include "model/sourcetable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/workstate.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

// Good texts for every box, in checking order, and one bad text per box.
struct Box {
    const char* field;
    std::string SourceTexts::*member;
    const char* bad;
};
const std::vector<Box> kBoxes = {
    {"fx0", &SourceTexts::fx0, "10001"},
    {"fx1", &SourceTexts::fx1, "-1"},
    {"fy0", &SourceTexts::fy0, "1e5"},
    {"fy1", &SourceTexts::fy1, "y"},
    {"fdipangle", &SourceTexts::fdipangle, "181"},
    {"fwidth", &SourceTexts::fwidth, "0"},
    {"fdepth", &SourceTexts::fdepth, "1000.5"},
    {"slip", &SourceTexts::slip, "-0.1"},
    {"rakeangle", &SourceTexts::rakeangle, "-181"},
    {"tensile", &SourceTexts::tensile, "1e40"},
    {"px", &SourceTexts::px, "-5"},
    {"py", &SourceTexts::py, "10000.5"},
    {"pdepth", &SourceTexts::pdepth, ""},
    {"piso", &SourceTexts::piso, "abc"},
};

SourceTexts goodtexts() {
    return {"10", "30", "20", "25", "60", "12.5", "2", "150", "-45", "0.5", "40", "50", "3", "-7"};
}

TEST(StoreTxt, RejectsEachBoxInCheckingOrderAndStoresNothing) {
    const faultrec before = defaultSource();
    for (std::size_t k = 0; k < kBoxes.size(); ++k) {
        // This box bad, and every later box unreadable: only the order can
        // make this box the one reported.
        SourceTexts t = goodtexts();
        t.*kBoxes[k].member = kBoxes[k].bad;
        for (std::size_t later = k + 1; later < kBoxes.size(); ++later)
            t.*kBoxes[later].member = "abc";
        faultrec rec = before;
        FormCheck r = storetxt(t, rec);
        EXPECT_EQ(r.badfield, kBoxes[k].field);
        EXPECT_EQ(rec, before) << kBoxes[k].field;
    }
}

TEST(StoreTxt, CoincidingEdgesAreRejectedOnTheFirstEdge) {
    SourceTexts t = goodtexts();
    t.fx0 = "30";
    t.fx1 = " 30.0 ";
    t.fy0 = "25";
    t.fy1 = "25";
    faultrec rec = defaultSource();
    EXPECT_EQ(storetxt(t, rec).badfield, "fx0");
    EXPECT_EQ(rec, defaultSource());
    // One coordinate apart is a fault.
    t.fy1 = "25.01";
    EXPECT_TRUE(storetxt(t, rec).ok());
}

TEST(StoreTxt, StoresAllFourteenFieldsAndKeepsTheKind) {
    faultrec rec = defaultSource();
    rec.sourcetype = 1;
    ASSERT_TRUE(storetxt(goodtexts(), rec).ok());
    faultrec expected;
    expected.fx0 = 10;
    expected.fx1 = 30;
    expected.fy0 = 20;
    expected.fy1 = 25;
    expected.fdipangle = 60;
    expected.fwidth = 12.5f;
    expected.fdepth = 2;
    expected.slip = 150;
    expected.rakeangle = -45;
    expected.tensile = 0.5f;
    expected.px = 40;
    expected.py = 50;
    expected.pdepth = 3;
    expected.piso = -7;
    expected.sourcetype = 1;
    EXPECT_EQ(rec, expected);
}

TEST(StoreTxt, BoxTextsOfARecordStoreBackToTheSameRecord) {
    faultrec f = defaultSource();
    SourceTexts t = sourcetexts(f);
    EXPECT_EQ(t.fx0, "85.");
    EXPECT_EQ(t.fwidth, "10.");
    EXPECT_EQ(t.piso, "100.");
    faultrec back;
    ASSERT_TRUE(storetxt(t, back).ok());
    EXPECT_EQ(back, f);
}

TEST(SourceList, EntryNames) {
    EXPECT_EQ(multisourceentry(3), "Multi-Source3");
    EXPECT_EQ(multisourceentry(20), "Multi-Source20");
    const std::vector<std::pair<std::string, int>> numbers = {
        {"Multi-Source1", 1}, {"Multi-Source20", 20}, {"Single Fault", 0},   {"Single Point", 0},
        {"Multi-Source", 0},  {"Multi-Source3x", 0},  {"Multi-Source 3", 0}, {"", 0},
    };
    for (const auto& [entry, k] : numbers) EXPECT_EQ(multisourcenumber(entry), k) << entry;

    using V = std::vector<std::string>;
    EXPECT_EQ(sourcelistentries(1), (V{"Single Fault", "Single Point"}));
    EXPECT_EQ(sourcelistentries(3), (V{"Single Fault", "Single Point", "Multi-Source1",
                                       "Multi-Source2", "Multi-Source3"}));
    EXPECT_EQ(sourcelistentries(20).back(), "Multi-Source20");
}

TEST(SourceLimit, TheTwentyFirstSourceIsRefusedWithAWarning) {
    test::ScriptedHost host;
    EXPECT_TRUE(addsourceallowed(1, host));
    EXPECT_TRUE(addsourceallowed(19, host));
    EXPECT_TRUE(host.messages.empty());

    EXPECT_FALSE(addsourceallowed(20, host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "You can Take only 20 sources");
    EXPECT_EQ(host.messages[0].title, "Warning");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);

    faultlimitmessage(host);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, "You can Take only 20 Faults");
    EXPECT_EQ(host.messages[1].title, "Warning");
    EXPECT_EQ(host.messages[1].icon, MsgIcon::Exclamation);
}

}  // namespace
}  // namespace crustex
