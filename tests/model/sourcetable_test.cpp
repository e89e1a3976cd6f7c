#include "model/sourcetable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/workstate.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

// Every box in checking order: its text member, the record field it fills, a
// good text with its value, and a bad text.
struct Box {
    const char* field;
    std::string SourceTexts::*text;
    float faultrec::*value;
    const char* good;
    float stored;
    const char* bad;
};
const Box kBoxes[] = {
    {"fx0", &SourceTexts::fx0, &faultrec::fx0, "10", 10, "10001"},
    {"fx1", &SourceTexts::fx1, &faultrec::fx1, "30", 30, "-1"},
    {"fy0", &SourceTexts::fy0, &faultrec::fy0, "20", 20, "1e5"},
    {"fy1", &SourceTexts::fy1, &faultrec::fy1, "25", 25, "y"},
    {"fdipangle", &SourceTexts::fdipangle, &faultrec::fdipangle, "60", 60, "181"},
    {"fwidth", &SourceTexts::fwidth, &faultrec::fwidth, "12.5", 12.5f, "0"},
    {"fdepth", &SourceTexts::fdepth, &faultrec::fdepth, "2", 2, "1000.5"},
    {"slip", &SourceTexts::slip, &faultrec::slip, "150", 150, "-0.1"},
    {"rakeangle", &SourceTexts::rakeangle, &faultrec::rakeangle, "-45", -45, "-181"},
    {"tensile", &SourceTexts::tensile, &faultrec::tensile, "0.5", 0.5f, "1e40"},
    {"px", &SourceTexts::px, &faultrec::px, "40", 40, "-5"},
    {"py", &SourceTexts::py, &faultrec::py, "50", 50, "10000.5"},
    {"pdepth", &SourceTexts::pdepth, &faultrec::pdepth, "3", 3, ""},
    {"piso", &SourceTexts::piso, &faultrec::piso, "-7", -7, "abc"},
};

SourceTexts goodtexts() {
    SourceTexts t;
    for (const Box& b : kBoxes) t.*b.text = b.good;
    return t;
}

TEST(StoreTxt, StoresEveryBoxAndKeepsTheKind) {
    faultrec rec = defaultSource();
    rec.sourcetype = 1;
    ASSERT_TRUE(storetxt(goodtexts(), rec).ok());
    for (const Box& b : kBoxes) EXPECT_EQ(rec.*b.value, b.stored) << b.field;
    EXPECT_EQ(rec.sourcetype, 1);
    // The texts of a record store back to the same record.
    const faultrec f = defaultSource();
    const SourceTexts t = sourcetexts(f);
    EXPECT_EQ(t.fx0, "85.");
    EXPECT_EQ(t.piso, "100.");
    faultrec back;
    ASSERT_TRUE(storetxt(t, back).ok());
    EXPECT_EQ(back, f);
}

TEST(StoreTxt, RejectsEachBoxInCheckingOrderAndStoresNothing) {
    const std::size_t n = std::size(kBoxes);
    for (std::size_t k = 0; k < n; ++k) {
        // This box bad and every later box unreadable: only the order can make
        // this box the one reported.
        SourceTexts t = goodtexts();
        t.*kBoxes[k].text = kBoxes[k].bad;
        for (std::size_t later = k + 1; later < n; ++later) t.*kBoxes[later].text = "abc";
        faultrec rec = defaultSource();
        EXPECT_EQ(storetxt(t, rec).badfield, kBoxes[k].field);
        EXPECT_EQ(rec, defaultSource()) << kBoxes[k].field;
    }
}

TEST(StoreTxt, CoincidingEdgesAreRejectedOnTheFirstEdge) {
    SourceTexts t = goodtexts();
    t.fx0 = "30";
    t.fx1 = " 30.0 ";
    t.fy0 = "25";
    faultrec rec = defaultSource();
    EXPECT_EQ(storetxt(t, rec).badfield, "fx0");
    EXPECT_EQ(rec, defaultSource());
    t.fy1 = "25.01";  // one coordinate apart is a fault
    EXPECT_TRUE(storetxt(t, rec).ok());
}

TEST(SourceList, EntryNames) {
    EXPECT_EQ(multisourceentry(20), "Multi-Source20");
    const std::pair<std::string, int> numbers[] = {
        {"Multi-Source1", 1}, {"Multi-Source20", 20}, {"Single Fault", 0},   {"Single Point", 0},
        {"Multi-Source", 0},  {"Multi-Source3x", 0},  {"Multi-Source 3", 0}, {"", 0},
    };
    for (const auto& [entry, k] : numbers) EXPECT_EQ(multisourcenumber(entry), k) << entry;
    using V = std::vector<std::string>;
    EXPECT_EQ(sourcelistentries(1), (V{"Single Fault", "Single Point"}));
    EXPECT_EQ(sourcelistentries(3), (V{"Single Fault", "Single Point", "Multi-Source1",
                                       "Multi-Source2", "Multi-Source3"}));
}

TEST(SourceLimit, TheTwentyFirstSourceIsRefusedWithAWarning) {
    test::ScriptedHost host;
    EXPECT_TRUE(addsourceallowed(1, host));
    EXPECT_TRUE(addsourceallowed(19, host));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(addsourceallowed(20, host));
    faultlimitmessage(host);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "You can Take only 20 sources");
    EXPECT_EQ(host.messages[1].text, "You can Take only 20 Faults");
    for (const test::RecordedMessage& m : host.messages) {
        EXPECT_EQ(m.title, "Warning");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
    }
}

}  // namespace
}  // namespace crustex
