#include "stress/principalaxes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace crustex {

namespace {

using Matrix = std::array<Vec3, 3>;

constexpr int kMaxSweeps = 32;

// One Jacobi rotation in the (p, q) plane that zeroes a[p][q]; v collects
// the rotations (its columns are the axes).
void rotate(Matrix& a, Matrix& v, int p, int q) {
    const double apq = a[p][q];
    if (apq == 0) return;
    const double theta = (a[q][q] - a[p][p]) / (2 * apq);
    const double t = (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
    const double c = 1 / std::sqrt(t * t + 1), s = t * c;
    for (int k = 0; k < 3; ++k) {
        const double akp = a[k][p], akq = a[k][q];
        a[k][p] = c * akp - s * akq;
        a[k][q] = s * akp + c * akq;
    }
    for (int k = 0; k < 3; ++k) {
        const double apk = a[p][k], aqk = a[q][k];
        a[p][k] = c * apk - s * aqk;
        a[q][k] = s * apk + c * aqk;
    }
    for (int k = 0; k < 3; ++k) {
        const double vkp = v[k][p], vkq = v[k][q];
        v[k][p] = c * vkp - s * vkq;
        v[k][q] = s * vkp + c * vkq;
    }
    a[p][q] = a[q][p] = 0;
}

Vec3 canonical(Vec3 a) {
    int big = 0;
    for (int k = 1; k < 3; ++k)
        if (std::fabs(a[k]) > std::fabs(a[big])) big = k;
    if (a[big] < 0)
        for (double& x : a) x = -x;
    return a;
}

}  // namespace

PrincipalAxes principalaxes(const SymTensor& t) {
    PrincipalAxes out;
    Matrix a = {{{t.xx, t.xy, t.zx}, {t.xy, t.yy, t.yz}, {t.zx, t.yz, t.zz}}};
    Matrix v = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    for (const Vec3& row : a) {
        for (const double x : row) {
            if (std::isfinite(x)) continue;
            out.value.fill(std::numeric_limits<double>::quiet_NaN());
            out.axis = v;
            return out;
        }
    }
    for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
        const double off = std::fabs(a[0][1]) + std::fabs(a[1][2]) + std::fabs(a[0][2]);
        const double diag = std::fabs(a[0][0]) + std::fabs(a[1][1]) + std::fabs(a[2][2]);
        if (off == 0 || off <= diag * std::numeric_limits<double>::epsilon() * 1e-2) break;
        rotate(a, v, 0, 1);
        rotate(a, v, 1, 2);
        rotate(a, v, 0, 2);
    }
    std::array<int, 3> order = {0, 1, 2};
    std::stable_sort(order.begin(), order.end(), [&](int i, int j) { return a[i][i] < a[j][j]; });
    for (int k = 0; k < 3; ++k) {
        const int c = order[static_cast<std::size_t>(k)];
        out.value[static_cast<std::size_t>(k)] = a[c][c];
        out.axis[static_cast<std::size_t>(k)] = canonical({v[0][c], v[1][c], v[2][c]});
    }
    return out;
}

Vec3 apply(const SymTensor& t, const Vec3& v) {
    return {t.xx * v[0] + t.xy * v[1] + t.zx * v[2], t.xy * v[0] + t.yy * v[1] + t.yz * v[2],
            t.zx * v[0] + t.yz * v[1] + t.zz * v[2]};
}

double resolve(const SymTensor& t, const Vec3& v, const Vec3& w) { return dot(v, apply(t, w)); }

}  // namespace crustex
