#include "export/gridnetcdf.h"

#include <fcntl.h>
#include <netcdf.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <functional>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "files/atomicfile.h"

namespace crustex {

namespace {

constexpr int kDeflateLevel = 1;

// One open file; every call records the first failure and the later calls
// then do nothing. A file that failed is left to the end of the process
// (see inchild): closing it would write again.
class NcFile {
public:
    explicit NcFile(const std::string& path) {
        check(nc_create(path.c_str(), NC_CLOBBER | NC_NETCDF4 | NC_CLASSIC_MODEL, &id_));
        open_ = status_ == NC_NOERR;
    }

    bool good() const { return status_ == NC_NOERR; }

    int dim(const char* name, std::size_t length) {
        int d = -1;
        if (good()) check(nc_def_dim(id_, name, length, &d));
        return d;
    }
    int var(std::string_view name, nc_type type, std::vector<int> dims) {
        int v = -1;
        if (!good()) return v;
        check(nc_def_var(id_, std::string(name).c_str(), type, static_cast<int>(dims.size()),
                         dims.data(), &v));
        if (good() && dims.size() == 2) check(nc_def_var_deflate(id_, v, 1, 1, kDeflateLevel));
        return v;
    }
    void text(int var, const char* name, std::string_view value) {
        if (good()) check(nc_put_att_text(id_, var, name, value.size(), value.data()));
    }
    void number(int var, const char* name, double value) {
        if (good()) check(nc_put_att_double(id_, var, name, NC_DOUBLE, 1, &value));
    }
    void range(int var, nc_type type, double lo, double hi) {
        const double r[2] = {lo, hi};
        if (good()) check(nc_put_att_double(id_, var, "actual_range", type, 2, r));
    }
    void fill(int var, float value) {
        if (good()) check(nc_put_att_float(id_, var, "_FillValue", NC_FLOAT, 1, &value));
    }
    void enddef() {
        if (good()) check(nc_enddef(id_));
    }
    void put(int var, const std::vector<double>& values) {
        if (good()) check(nc_put_var_double(id_, var, values.data()));
    }
    void put(int var, const std::vector<float>& values) {
        if (good()) check(nc_put_var_float(id_, var, values.data()));
    }
    // The first failure, or that of closing the file.
    int close() {
        if (open_ && good()) check(nc_close(id_));
        return status_;
    }

private:
    void check(int status) {
        if (status_ == NC_NOERR) status_ = status;
    }
    int id_ = -1;
    int status_ = NC_NOERR;
    bool open_ = false;
};

// The smallest and largest value that is not the no-value marker (0, 0
// for a grid without values).
std::pair<double, double> valuerange(const Grid2D& g) {
    float lo = 0, hi = 0;
    bool any = false;
    for (const float v : g.values()) {
        if (v == kNoValue || !std::isfinite(v)) continue;
        lo = any ? std::min(lo, v) : v;
        hi = any ? std::max(hi, v) : v;
        any = true;
    }
    return {lo, hi};
}

// A grid in row order (y outer, x inner), as the (y, x) variables hold it.
std::vector<float> rows(const Grid2D& g) {
    std::vector<float> out;
    out.reserve(g.size());
    for (int j = 0; j <= g.ny(); ++j)
        for (int i = 0; i <= g.nx(); ++i) out.push_back(g(i, j));
    return out;
}

// Runs make in a child process and returns the netCDF status it gives. The
// library cannot recover from a failed write (a full disk): it fails again
// on every later call and at the end of the process, and may crash. In a
// child that ends at once, a failure cannot take the program along. The
// child ends with the program; a child that gives no status failed.
int inchild(const std::function<int()>& make) {
    int pipefd[2];
    if (::pipe2(pipefd, O_CLOEXEC) != 0) return NC_ENOMEM;
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipefd[0]);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(1);
        const int status = make();
        const bool told = ::write(pipefd[1], &status, sizeof status) == sizeof status;
        ::_exit(told ? 0 : 1);
    }
    ::close(pipefd[1]);
    int status = NC_EHDFERR;
    if (pid > 0) {
        ssize_t n = 0;
        do n = ::read(pipefd[0], &status, sizeof status);
        while (n < 0 && errno == EINTR);
        if (n != sizeof status) status = NC_EHDFERR;
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) continue;
    } else {
        status = NC_ENOMEM;
    }
    ::close(pipefd[0]);
    return status;
}

// Writes the file at name; the netCDF status.
int makefile(const FieldGridExport& grid, const std::string& name) {
    NcFile nc(name);
    const int ydim = nc.dim(grid.yaxis.name.c_str(), grid.y.size());
    const int xdim = nc.dim(grid.xaxis.name.c_str(), grid.x.size());
    const int xvar = nc.var(grid.xaxis.name, NC_DOUBLE, {xdim});
    const int yvar = nc.var(grid.yaxis.name, NC_DOUBLE, {ydim});
    for (const auto& [var, axis, values, cf] : {std::tuple{xvar, &grid.xaxis, &grid.x, "X"},
                                                std::tuple{yvar, &grid.yaxis, &grid.y, "Y"}}) {
        nc.text(var, "long_name", axis->longname);
        nc.text(var, "units", "km");
        // CF: an axis that runs downwards is a vertical one.
        nc.text(var, "axis", axis->down ? "Z" : cf);
        if (axis->down) nc.text(var, "positive", "down");
        nc.range(var, NC_DOUBLE, values->front(), values->back());
    }
    std::vector<int> along;
    for (const AxisVariable& a : grid.alongx) {
        const int id = nc.var(a.name, NC_DOUBLE, {xdim});
        nc.text(id, "long_name", a.longname);
        nc.text(id, "units", a.units);
        along.push_back(id);
    }

    // The quantities first: programs that take "the first grid" of a file
    // (GMT) take a quantity, not the latitudes.
    std::vector<int> vars;
    for (const ExportedVariable& v : grid.variables) {
        const int id = nc.var(variablename(*v.info), NC_FLOAT, {ydim, xdim});
        nc.text(id, "long_name", v.info->longname);
        nc.text(id, "units", v.info->units);
        nc.fill(id, kNoValue);
        const auto [lo, hi] = valuerange(v.values);
        nc.range(id, NC_FLOAT, lo, hi);
        if (grid.geographic()) nc.text(id, "coordinates", "lon lat");
        vars.push_back(id);
    }
    int latvar = -1, lonvar = -1;
    if (grid.geographic()) {
        latvar = nc.var("lat", NC_FLOAT, {ydim, xdim});
        nc.text(latvar, "standard_name", "latitude");
        nc.text(latvar, "long_name", "latitude");
        nc.text(latvar, "units", "degrees_north");
        const auto [latlo, lathi] = valuerange(grid.lat);
        nc.range(latvar, NC_FLOAT, latlo, lathi);
        lonvar = nc.var("lon", NC_FLOAT, {ydim, xdim});
        nc.text(lonvar, "standard_name", "longitude");
        nc.text(lonvar, "long_name", "longitude");
        nc.text(lonvar, "units", "degrees_east");
        const auto [lonlo, lonhi] = valuerange(grid.lon);
        nc.range(lonvar, NC_FLOAT, lonlo, lonhi);
    }
    for (const GridAttribute& a : grid.attributes) {
        if (const auto* s = std::get_if<std::string>(&a.value))
            nc.text(NC_GLOBAL, a.name.c_str(), *s);
        else
            nc.number(NC_GLOBAL, a.name.c_str(), std::get<double>(a.value));
    }
    nc.enddef();

    nc.put(xvar, grid.x);
    nc.put(yvar, grid.y);
    for (std::size_t k = 0; k < along.size(); ++k) nc.put(along[k], grid.alongx[k].values);
    for (std::size_t k = 0; k < vars.size(); ++k) nc.put(vars[k], rows(grid.variables[k].values));
    if (grid.geographic()) {
        nc.put(latvar, rows(grid.lat));
        nc.put(lonvar, rows(grid.lon));
    }
    return nc.close();
}

}  // namespace

bool writegridnetcdf(const FieldGridExport& grid, const std::string& path, std::string& error) {
    const std::size_t nodes = grid.x.size() * grid.y.size();
    if (nodes == 0) {
        error = "no grid nodes to write";
        return false;
    }
    for (const ExportedVariable& v : grid.variables) {
        if (v.values.size() != nodes) {
            error = "the grid of " + std::string(v.info->name) + " does not fit the nodes";
            return false;
        }
    }
    if (grid.geographic() && (grid.lat.size() != nodes || grid.lon.size() != nodes)) {
        error = "the latitudes and longitudes do not fit the nodes";
        return false;
    }
    AtomicWriter file(path);
    if (!file.ok()) {
        error = "cannot write '" + path + "'";
        return false;
    }
    const std::string temp = file.temporaryname();
    if (const int status = inchild([&] { return makefile(grid, temp); }); status != NC_NOERR) {
        error = "cannot write '" + path + "': " + nc_strerror(status);
        return false;
    }
    if (!file.commit()) {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}

}  // namespace crustex
