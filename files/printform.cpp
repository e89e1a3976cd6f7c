#include "files/printform.h"

#include <cmath>

#include "model/numtext.h"

namespace crustex {

namespace {
constexpr std::size_t kPrintZone = 14;
}

std::string printform(float v) {
    std::string text(1, std::signbit(v) && v != 0 ? '-' : ' ');
    text += generalform(std::fabs(v));
    text += ' ';
    return text;
}

std::string printzones(const std::string& a, const std::string& b) {
    const std::size_t zones = std::max<std::size_t>(1, (a.size() + kPrintZone - 1) / kPrintZone);
    std::string line = a;
    line.resize(zones * kPrintZone, ' ');
    return line + b;
}

}  // namespace crustex
