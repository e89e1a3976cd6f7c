#include "plot/plotmath.h"

#include <cmath>
#include <limits>

namespace crustex {

float interpolate(float a, float b, float fa, float fb, float t) {
    if (a == b) return fa;
    return fa + (t - a) * (fb - fa) / (b - a);
}

int16_t roundup(float x) {
    if (std::isnan(x)) return 0;
    const float c = std::ceil(x);
    if (c >= static_cast<float>(std::numeric_limits<int16_t>::max()))
        return std::numeric_limits<int16_t>::max();
    if (c <= static_cast<float>(std::numeric_limits<int16_t>::min()))
        return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(c);
}

float getlog10(float x) {
    return static_cast<float>(std::log(static_cast<double>(x)) / std::log(10.0));
}

}  // namespace crustex
