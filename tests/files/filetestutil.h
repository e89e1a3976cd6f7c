// Line and source helpers and the shared reader fixture of the file tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/sourcefile.h"
#include "support/scratchdir.h"
#include "support/scriptedhost.h"

namespace crustex::test {

// Lines of a CR LF text, without their line ends.
inline std::vector<std::string> crlflines(std::string text) {
    std::vector<std::string> lines;
    for (std::size_t end; (end = text.find("\r\n")) != std::string::npos; text.erase(0, end + 2))
        lines.push_back(text.substr(0, end));
    if (!text.empty()) lines.push_back(text + "<no CR LF>");
    return lines;
}

// The default source moved to x0 with its own slip, rake and type.
inline faultrec planesource(float x0, float slip, float rake, int16_t type = 0) {
    faultrec f = defaultSource();
    f.fx0 = x0;
    f.fx1 = x0 + 20;
    f.slip = slip;
    f.rakeangle = rake;
    f.sourcetype = type;
    return f;
}

// A reader's surroundings: the start-up state, a scripted host, an unset
// projection and the standard plot frame.
struct FileFixture : ::testing::Test {
    WorkState ws;
    Projection proj;
    PlotFrame frame;
    ScriptedHost host;
    void SetUp() override {
        setdefaults(ws, "/data/crustex");
        ASSERT_TRUE(setplotframe(frame, ws.rwidth));
    }
    GeoFrame geo() { return {proj, frame}; }
    // The texts of the messages shown so far.
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& m : host.messages) t.push_back(m.text);
        return t;
    }
};

}  // namespace crustex::test
