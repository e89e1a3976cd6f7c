#include "fit/fitsolver.h"

#include <ceres/ceres.h>

#include <Eigen/Dense>
#include <cmath>
#include <limits>

namespace crustex {

namespace {

// The smallest singular value of the scaled Jacobian, relative to the
// largest, of a fit that is not singular (1e-14 for J^T J).
constexpr double kMinReciprocalCondition = 1e-7;

// The n-th prime (n = 0 gives 2).
int prime(std::size_t n) {
    std::vector<int> found;
    for (int c = 2; found.size() <= n; ++c) {
        bool isprime = true;
        for (int q : found) {
            if (q * q > c) break;
            if (c % q == 0) isprime = false;
        }
        if (isprime) found.push_back(c);
    }
    return found.back();
}

// The radical inverse of k in base b: its digits mirrored behind the point.
double radicalinverse(int k, int b) {
    double f = 1, r = 0;
    while (k > 0) {
        f /= b;
        r += f * (k % b);
        k /= b;
    }
    return r;
}

// Reports every iteration and stops the solver when asked to.
class Progress : public ceres::IterationCallback {
public:
    Progress(const FitSolve& s, FitProgress state) : s_(s), state_(state) {}

    ceres::CallbackReturnType operator()(const ceres::IterationSummary& it) override {
        if (s_.cancel && s_.cancel->load()) return ceres::SOLVER_ABORT;
        state_.iteration = it.iteration;
        if (s_.progress) s_.progress(state_);
        return ceres::SOLVER_CONTINUE;
    }

private:
    const FitSolve& s_;
    FitProgress state_;
};

void addblock(ceres::Problem& problem, ceres::CostFunction& cost, std::vector<double>& x) {
    problem.AddResidualBlock(&cost, nullptr, x.data());
}

ceres::Problem::Options borrowed() {
    ceres::Problem::Options o;
    o.cost_function_ownership = ceres::DO_NOT_TAKE_OWNERSHIP;
    return o;
}

}  // namespace

std::vector<double> haltonstart(int k, const std::vector<double>& lower,
                                const std::vector<double>& upper) {
    std::vector<double> x(lower.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = lower[i] + (upper[i] - lower[i]) * radicalinverse(k, prime(i));
    return x;
}

FitSolveResult solvefromstarts(ceres::CostFunction& cost, const std::vector<double>& start,
                               const FitSolve& solve) {
    FitSolveResult best;
    best.cost = std::numeric_limits<double>::infinity();
    for (int k = 0; k < solve.starts; ++k) {
        if (solve.cancel && solve.cancel->load()) {
            best.cancelled = true;
            return best;
        }
        std::vector<double> x = k == 0 ? start : haltonstart(k, solve.lower, solve.upper);
        ceres::Problem problem(borrowed());
        addblock(problem, cost, x);
        for (std::size_t i = 0; i < x.size(); ++i) {
            const int at = static_cast<int>(i);
            if (std::isfinite(solve.lower[i]))
                problem.SetParameterLowerBound(x.data(), at, solve.lower[i]);
            if (std::isfinite(solve.upper[i]))
                problem.SetParameterUpperBound(x.data(), at, solve.upper[i]);
        }
        Progress progress(solve,
                          {k + 1, solve.starts, 0, std::isfinite(best.cost) ? best.cost : -1});
        ceres::Solver::Options o;
        o.minimizer_type = ceres::TRUST_REGION;
        o.trust_region_strategy_type = ceres::LEVENBERG_MARQUARDT;
        o.linear_solver_type = ceres::DENSE_QR;
        o.max_num_iterations = solve.maxiterations;
        o.function_tolerance = 1e-14;
        o.gradient_tolerance = 1e-14;
        o.parameter_tolerance = 1e-12;
        o.logging_type = ceres::SILENT;
        o.num_threads = 1;
        o.initial_trust_region_radius = solve.initialradius;
        o.callbacks.push_back(&progress);
        ceres::Solver::Summary summary;
        ceres::Solve(o, &problem, &summary);
        ++best.starts;
        if (summary.termination_type == ceres::USER_FAILURE) {
            best.cancelled = true;
            return best;
        }
        if (summary.termination_type == ceres::FAILURE || !summary.IsSolutionUsable()) {
            best.message = summary.message;
            continue;
        }
        if (summary.final_cost < best.cost) {
            best.x = x;
            best.cost = summary.final_cost;
            best.iterations = summary.num_successful_steps + summary.num_unsuccessful_steps;
        }
    }
    return best;
}

bool covariance(ceres::CostFunction& cost, std::vector<double> x, std::vector<double>& out) {
    const std::size_t n = static_cast<std::size_t>(cost.num_residuals()), p = x.size();
    std::vector<double> r(n), jac(n * p);
    const double* params[] = {x.data()};
    double* jacs[] = {jac.data()};
    if (!cost.Evaluate(params, r.data(), jacs)) return false;
    using Matrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
    Matrix j =
        Eigen::Map<Matrix>(jac.data(), static_cast<Eigen::Index>(n), static_cast<Eigen::Index>(p));
    // Columns scaled to unit length, so that the units of the parameters do
    // not decide whether the problem counts as singular.
    Eigen::VectorXd scale = j.colwise().norm().transpose();
    if (!(scale.minCoeff() > 0)) return false;
    scale = scale.cwiseInverse();
    j = j * scale.asDiagonal();
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(j, Eigen::ComputeThinV);
    const Eigen::VectorXd s = svd.singularValues();
    if (!(s.minCoeff() > kMinReciprocalCondition * s.maxCoeff())) return false;
    const Eigen::MatrixXd v = svd.matrixV();
    const Eigen::MatrixXd c = scale.asDiagonal() * v *
                              s.array().square().inverse().matrix().asDiagonal() * v.transpose() *
                              scale.asDiagonal();
    out.resize(p * p);
    for (std::size_t a = 0; a < p; ++a)
        for (std::size_t b = 0; b < p; ++b)
            out[a * p + b] = c(static_cast<Eigen::Index>(a), static_cast<Eigen::Index>(b));
    return true;
}

}  // namespace crustex
