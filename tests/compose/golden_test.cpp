// The default pictures of the start-up state, recorded operation by
// operation and compared with the recordings kept in tests/data/golden.
// Any change of what the default style draws, down to a colour, a pen or
// the last digit of a coordinate, shows here. With CRUSTEX_UPDATE_GOLDEN
// set the recordings are written instead (review the diff before keeping
// it).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "compose/picture.h"
#include "plot/plottestutil.h"

namespace crustex {
namespace {

std::string num(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

// One line per operation: kind, coordinates, colour (with "!" when the
// caller named it), then whatever differs from a plain pen: width, mode,
// style, transient drawing, and for text its font and the text.
std::string dump(const std::vector<RecordedOp>& ops) {
    static const char* const kKinds[] = {"cls",  "line", "box",     "circle",  "pset",
                                         "pict", "text", "fillbox", "fillpoly"};
    std::ostringstream out;
    for (const RecordedOp& o : ops) {
        out << kKinds[static_cast<int>(o.kind)] << ' ' << num(o.x1) << ' ' << num(o.y1);
        if (o.kind != OpKind::PSet && o.kind != OpKind::Circle)
            out << ' ' << num(o.x2) << ' ' << num(o.y2);
        if (o.kind == OpKind::Circle) out << " r" << num(o.radius);
        out << ' ' << int(o.color.r) << ',' << int(o.color.g) << ',' << int(o.color.b)
            << (o.explicitcolor ? "!" : "");
        if (o.width != 1) out << " w" << o.width;
        if (o.mode != DrawMode::MaskPen) out << " m" << int(o.mode);
        if (o.style != DrawStyle::Solid) out << " s" << int(o.style);
        if (!o.autoredraw) out << " transient";
        for (const FramePoint& p : o.points) out << ' ' << num(p.x) << ':' << num(p.y);
        if (o.kind == OpKind::Text)
            out << " f" << num(o.fontsize) << (o.italic ? "i" : "") << " \"" << o.text << '"';
        out << '\n';
    }
    return out.str();
}

std::string goldenpath(const std::string& name) {
    const char* dir = std::getenv("CRUSTEX_TEST_DATA");
    return std::string(dir ? dir : "tests/data") + "/golden/" + name + ".txt";
}

class Golden : public ::testing::TestWithParam<const char*> {};

TEST_P(Golden, DefaultPictureAsRecorded) {
    test::Canvas c;
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.quantitykey = GetParam();
    setplotframe(c.pc.frame, ws.rwidth);
    ASSERT_EQ(drawpicture(ws, c.pc, c.host, "screen"), PictureOutcome::Drawn);
    const std::string now = dump(c.surface.ops());
    const std::string path = goldenpath(GetParam());
    if (std::getenv("CRUSTEX_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << now;
        GTEST_SKIP() << "written " << path;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing " << path;
    std::stringstream kept;
    kept << in.rdbuf();
    // Compared line by line so that a failure names the first operation
    // that differs.
    std::istringstream a(kept.str()), b(now);
    std::string la, lb;
    for (int n = 1;; ++n) {
        const bool ga = static_cast<bool>(std::getline(a, la));
        const bool gb = static_cast<bool>(std::getline(b, lb));
        if (!ga && !gb) break;
        ASSERT_EQ(la, lb) << "operation " << n << " of " << GetParam();
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, Golden,
                         ::testing::Values("uz", "cffpara", "displacement", "principal"));

}  // namespace
}  // namespace crustex
