#include "plot/contourlevels.h"

#include <array>
#include <cmath>

#include "model/numtext.h"
#include "plot/plotmath.h"

namespace crustex {

namespace {

// Powers of ten over the whole float range (10^-50 .. 10^40), in double.
constexpr int kMinExp = -50;
constexpr int kMaxExp = 40;

const std::array<double, kMaxExp - kMinExp + 1>& powtable() {
    static const auto table = [] {
        std::array<double, kMaxExp - kMinExp + 1> t{};
        for (int e = kMinExp; e <= kMaxExp; ++e)
            t[static_cast<std::size_t>(e - kMinExp)] = std::pow(10.0, e);
        return t;
    }();
    return table;
}

double pow10i(int e) {
    if (e < kMinExp) e = kMinExp;
    if (e > kMaxExp) e = kMaxExp;
    return powtable()[static_cast<std::size_t>(e - kMinExp)];
}

// The float value of the one-digit level m x 10^e.
float digitlevel(int m, int e) { return static_cast<float>(m * pow10i(e)); }

// The decade e of a positive float a: 10^e <= a < 10^(e+1), both sides
// compared as the floats the levels are.
int decadeof(float a) {
    int e = static_cast<int>(std::floor(std::log10(static_cast<double>(a))));
    if (e < kMinExp + 1) e = kMinExp + 1;
    if (e > kMaxExp - 1) e = kMaxExp - 1;
    while (e > kMinExp + 1 && digitlevel(1, e) > a) --e;
    while (e < kMaxExp - 1 && digitlevel(1, e + 1) <= a) ++e;
    return e;
}

// A one-digit level as (signed digit, decade); the zero level is (0, 0).
struct DigitLevel {
    int m = 0;
    int e = 0;
    float value() const { return digitlevel(m, e); }
};

// The smallest one-digit level not below lo, for |lo| >= the smallest level.
DigitLevel startlevel(float lo) {
    const float a = std::fabs(lo);
    const int e = decadeof(a);
    if (lo > 0) {
        for (int m = 1; m <= 9; ++m)
            if (digitlevel(m, e) >= lo) return {m, e};
        return {1, e + 1};
    }
    int m = 1;
    while (m < 9 && digitlevel(m + 1, e) <= a) ++m;
    return {-m, e};
}

// The largest one-digit level not above hi, for |hi| >= the smallest level.
DigitLevel endlevel(float hi) {
    const float a = std::fabs(hi);
    const int e = decadeof(a);
    if (hi > 0) {
        int m = 1;
        while (m < 9 && digitlevel(m + 1, e) <= hi) ++m;
        return {m, e};
    }
    for (int m = 1; m <= 9; ++m)
        if (digitlevel(m, e) >= a) return {-m, e};
    return {-1, e + 1};
}

// One step upwards. Below the smallest magnitude the next level is 0 (the
// step from -1 x 10^e to 0 happens at any decade not above E0, so a start
// below 10^E0 still reaches zero).
DigitLevel nextlevel(DigitLevel l, int e0) {
    if (l.m == 9) return {1, l.e + 1};
    if (l.m >= 1) return {l.m + 1, l.e};
    if (l.m == 0) return {1, e0};
    if (l.m >= -9 && l.m <= -2) return {l.m + 1, l.e};
    if (l.e <= e0) return {0, 0};
    return {-9, l.e - 1};
}

// Walks the one-digit levels from start to end. With powersonly, only 0 and
// the powers of ten are kept. Returns false when more than the cap would be
// needed (the list is then incomplete).
bool walksemilog1(DigitLevel start, float end, int e0, bool powersonly, std::vector<float>& out) {
    out.clear();
    DigitLevel l = start;
    // A safety bound on the walk itself: the whole float range has fewer
    // than 2 x 90 x 9 + 1 one-digit levels.
    for (int steps = 0; steps < 4 * kMaxContourLevels; ++steps) {
        const float v = l.value();
        if (v > end) return true;
        if (!powersonly || l.m == 0 || l.m == 1 || l.m == -1) {
            if (static_cast<int>(out.size()) == kMaxContourLevels) return false;
            out.push_back(v);
        }
        l = nextlevel(l, e0);
    }
    return true;
}

// The semi-log 2 level +-10^(n / q) as a float.
float semilog2value(int n, int q) {
    return static_cast<float>(std::pow(10.0, static_cast<double>(n) / q));
}

// Largest n with 10^(n/q) <= a (a > 0), compared in float.
int floorindex(float a, int q) {
    int n = static_cast<int>(std::floor(q * std::log10(static_cast<double>(a))));
    if (semilog2value(n + 1, q) <= a) ++n;
    if (semilog2value(n, q) > a) --n;
    return n;
}

// Smallest n with 10^(n/q) >= a (a > 0), compared in float.
int ceilindex(float a, int q) {
    int n = static_cast<int>(std::ceil(q * std::log10(static_cast<double>(a))));
    if (semilog2value(n - 1, q) >= a) --n;
    if (semilog2value(n, q) < a) ++n;
    return n;
}

int floordiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int ceildiv(int a, int b) { return -floordiv(-a, b); }

void push(LevelList& list, float v) {
    if (static_cast<int>(list.values.size()) < kMaxContourLevels) list.values.push_back(v);
}

bool usableminvalue(float minvalue) { return std::isfinite(minvalue) && minvalue > 0; }

}  // namespace

LevelKind linearlevelkind(double k, int nsubline) {
    if (k == 0) return LevelKind::Zero;
    const double period = nsubline + 1 > 0 ? nsubline + 1 : 1;
    if (std::fmod(k, period) == 0) return LevelKind::Main;
    return k > 0 ? LevelKind::PositiveSub : LevelKind::NegativeSub;
}

LevelKind loglevelkind(float v) {
    if (v == 0) return LevelKind::Zero;
    const float a = std::fabs(v);
    const float lg = getlog10(a);
    if (std::isfinite(lg)) {
        const int j = static_cast<int>(std::lround(lg));
        const float ratio = a / static_cast<float>(pow10i(j));
        if (ratio == 1.0f) return LevelKind::Main;
    }
    return v > 0 ? LevelKind::PositiveSub : LevelKind::NegativeSub;
}

Rgb levelcolor(const Palette& p, LevelKind kind) {
    switch (kind) {
        case LevelKind::Zero: return p.zerocontour;
        case LevelKind::Main: return p.maincontour;
        case LevelKind::PositiveSub: return p.possubcontour;
        case LevelKind::NegativeSub: return p.negsubcontour;
    }
    return p.maincontour;
}

LinearLevels linearlevels(float lo, float hi) {
    LinearLevels r;
    if (!std::isfinite(lo) || !std::isfinite(hi) || hi < lo) return r;
    double first = std::ceil(static_cast<double>(lo));
    double last = std::floor(static_cast<double>(hi));
    if (last < first) return r;
    double step = 1;
    while (last - first >= kMaxContourLevels * step) {
        step *= 10;
        first = std::ceil(lo / step) * step;
        last = std::floor(hi / step) * step;
        r.thinned = true;
    }
    r.first = first;
    r.step = step;
    r.count = last < first ? 0 : static_cast<int>((last - first) / step + 0.5) + 1;
    return r;
}

void semilog1levels(float lo, float hi, float minvalue, LevelList& out) {
    out.values.clear();
    out.thinned = false;
    if (!usableminvalue(minvalue) || !std::isfinite(lo) || !std::isfinite(hi) || hi < lo) return;
    const int e0 = static_cast<int>(std::lround(std::log10(static_cast<double>(minvalue))));
    // Values of smaller magnitude than the smallest level count as zero.
    // "Min. Value" itself may lie above or below that level (0.004 and 0.03
    // both give 10^-2); tested against it, a cell inside it and a neighbour
    // outside it would get different levels in between, and the lines would
    // break off at the cells' sides.
    const float smallest = digitlevel(1, e0);

    DigitLevel start;
    if (-smallest < lo && lo < smallest)
        start = lo <= 0 ? DigitLevel{0, 0} : DigitLevel{1, e0};
    else
        start = startlevel(lo);

    float end;
    if (-smallest < hi && hi < smallest)
        end = hi < 0 ? -digitlevel(1, e0) : 0.0f;
    else
        end = endlevel(hi).value();

    if (end < start.value()) return;
    if (!walksemilog1(start, end, e0, false, out.values)) {
        out.thinned = true;
        walksemilog1(start, end, e0, true, out.values);
    }
}

void semilog2levels(float lo, float hi, float minvalue, int nsubline, LevelList& out) {
    out.values.clear();
    out.thinned = false;
    if (!usableminvalue(minvalue) || !std::isfinite(lo) || !std::isfinite(hi) || hi < lo) return;
    const int q = nsubline + 1 > 0 ? nsubline + 1 : 1;
    const int nmin = q * static_cast<int>(std::floor(std::log10(static_cast<double>(minvalue))));
    // The smallest level, 10^(nmin / q), is the bound between "counts as
    // zero" and "gets levels" for every cell alike (see semilog1levels).
    const float smallest = semilog2value(nmin, q);

    // End from hi: sign and index.
    int endsign;
    int nhi = 0;
    if (hi < smallest) {
        if (hi >= 0) {
            endsign = 0;
        } else if (hi >= -smallest) {
            endsign = -1;
            nhi = nmin;
        } else {
            endsign = -1;
            nhi = ceilindex(-hi, q);
        }
    } else {
        endsign = 1;
        nhi = floorindex(hi, q);
    }

    // Start from lo.
    int startsign;
    int nlo = 0;
    if (lo <= smallest) {
        if (lo > -smallest) {
            startsign = lo <= 0 ? 0 : 1;
            nlo = nmin;
        } else {
            startsign = -1;
            nlo = floorindex(-lo, q);
        }
    } else {
        startsign = 1;
        nlo = ceilindex(lo, q);
    }

    // Count first, so that a huge range is thinned to whole decades.
    long long count;
    if (startsign > 0 && endsign > 0)
        count = nhi >= nlo ? static_cast<long long>(nhi) - nlo + 1 : 0;
    else if (startsign < 0 && endsign < 0)
        count = nlo >= nhi ? static_cast<long long>(nlo) - nhi + 1 : 0;
    else
        count = 1 + (startsign < 0 ? static_cast<long long>(nlo) - nmin + 1 : 0) +
                (endsign > 0 ? static_cast<long long>(nhi) - nmin + 1 : 0);
    const bool thin = count > kMaxContourLevels;
    out.thinned = thin;
    // Thinned lists keep whole decades only (n a multiple of q), stepping
    // straight from one to the next.
    const int stride = thin ? q : 1;
    auto up = [&](int from, int to, float sign) {
        for (int n = thin ? ceildiv(from, q) * q : from; n <= to; n += stride)
            push(out, sign * semilog2value(n, q));
    };
    auto down = [&](int from, int to, float sign) {
        for (int n = thin ? floordiv(from, q) * q : from; n >= to; n -= stride)
            push(out, sign * semilog2value(n, q));
    };

    if (startsign > 0 && endsign > 0) {
        up(nlo, nhi, 1.0f);
    } else if (startsign < 0 && endsign < 0) {
        down(nlo, nhi, -1.0f);
    } else {
        if (startsign < 0) down(nlo, nmin, -1.0f);
        push(out, 0.0f);
        if (endsign > 0) up(nmin, nhi, 1.0f);
    }
}

std::string linearedgelabel(double k, float subinterval) {
    if (k == 0) return "$-0";
    std::string text = formatnumber(static_cast<float>(k * subinterval), "0E-#");
    for (char& c : text)
        if (c == 'E') c = 'e';
    return "$-" + text;
}

std::string logedgelabel(float level) {
    if (level == 0) return "$-0";
    // Labelled are the levels whose general text ends in "1" (1, 0.1, 0.01;
    // not 10 or 2). In exponent notation the mantissa decides, so that
    // 1E-08 is labelled and 2E-11 is not.
    std::string general = generalform(level);
    if (const std::size_t e = general.find('E'); e != std::string::npos) general.resize(e);
    if (general.empty() || general.back() != '1') return {};
    return "$-" + formatnumber(level, "0E-##");
}

std::string peaklabel(float v) { return "$-" + valuetext(v); }

}  // namespace crustex
