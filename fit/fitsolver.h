// Ceres Solver as the fits use it: bounded Levenberg-Marquardt on one
// parameter block from several starts; and the covariance of the parameters
// at a solution, through Eigen (Ceres's own covariance writes its findings
// to standard error). The cost function is the caller's (one residual block of
// all the parameters); nothing here knows what the parameters mean.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "fit/sourcefit.h"

namespace ceres {
class CostFunction;
}

namespace crustex {

struct FitSolve {
    std::vector<double> lower, upper;  // per parameter; infinite for none
    int starts = 1;                    // the given start, then Halton points
    int maxiterations = 100;           // per start
    // The first trust region (of the Jacobi-scaled step): small for a
    // cautious first step, which keeps a nonlinear fit in the valley of its
    // start; large for a linear problem, whose first step is then the
    // least-squares solution.
    double initialradius = 1;
    std::function<void(const FitProgress&)> progress;
    const std::atomic<bool>* cancel = nullptr;
};

struct FitSolveResult {
    std::vector<double> x;  // the best solution; empty when no start ended usable
    double cost = 0;        // half the sum of its squared residuals
    int iterations = 0;     // of its start
    int starts = 0;         // starts run
    bool cancelled = false;
    std::string message;  // the solver's words for the last start that failed
};

// Point k (1, 2, ...) of the Halton sequence scaled into the bounds, one
// prime base per parameter.
std::vector<double> haltonstart(int k, const std::vector<double>& lower,
                                const std::vector<double>& upper);

// Minimises from `start` (inside the bounds) and then from starts - 1
// Halton points; the lowest final cost wins, the earlier start on a tie.
FitSolveResult solvefromstarts(ceres::CostFunction& cost, const std::vector<double>& start,
                               const FitSolve& solve);

// The covariance (J^T J)^-1 at x, p x p row by row, from the singular
// values of J with its columns scaled to unit length (Eigen). False when the
// model cannot be evaluated at x or the scaled J^T J is singular (its
// reciprocal condition number below 1e-14).
bool covariance(ceres::CostFunction& cost, std::vector<double> x, std::vector<double>& out);

}  // namespace crustex
