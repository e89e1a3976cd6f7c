// The elastic medium of the half-space: Poisson's ratio and Young's modulus.
// The program's own work keeps Poisson's ratio 0.25; a model file may bring
// other values.
#pragma once

namespace crustex {

// The unit stresses are shown in: the program's own delta CFF divided by
// the rigidity (10^-6, the default), bar or MPa.
enum class StressUnit { Rigidity, Bar, MPa };

struct Medium {
    float poisson = 0.25f;  // Poisson's ratio
    float young = 8.0e5f;   // Young's modulus (bar)

    bool operator==(const Medium&) const = default;
};

// Shear modulus (bar): E / (2 (1 + nu)); 8e5 bar and 0.25 give 3.2e5 bar
// (32 GPa).
inline double shearmodulus(const Medium& m) {
    return static_cast<double>(m.young) / (2.0 * (1.0 + static_cast<double>(m.poisson)));
}

// What a stress / rigidity in 10^-6 (the default unit) is multiplied by to
// give the unit: 1, mu[bar] * 1e-6 for bar, mu[bar] * 1e-7 for MPa.
inline double stressfactor(StressUnit unit, const Medium& m) {
    switch (unit) {
        case StressUnit::Bar: return shearmodulus(m) * 1e-6;
        case StressUnit::MPa: return shearmodulus(m) * 1e-7;
        case StressUnit::Rigidity: break;
    }
    return 1;
}

// lambda / mu = 2 nu / (1 - 2 nu): exactly 1 for Poisson's ratio 0.25.
inline double lameratio(const Medium& m) {
    const double nu = m.poisson;
    return 2.0 * nu / (1.0 - 2.0 * nu);
}

// The half-space constant of the solutions, (lambda + mu) / (lambda + 2 mu)
// = 1 / (2 (1 - nu)); 2/3 for Poisson's ratio 0.25.
inline double mediumalpha(const Medium& m) {
    return 1.0 / (2.0 * (1.0 - static_cast<double>(m.poisson)));
}

}  // namespace crustex
