// The native part of the Python module `crustex`: numpy arrays in and out of
// the program's core. Every command goes through what crustex-batch runs
// (export/): the models are read by its readers, the options are its
// command line's words checked by its parser, and the values are the ones
// its outputs hold. Errors raise ValueError (OSError for a file that cannot
// be read) with the program's message.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/fieldform.h"
#include "engine/fieldgrid.h"
#include "engine/los.h"
#include "export/batchargs.h"
#include "export/batchfit.h"
#include "export/batchmodel.h"
#include "export/batchrun.h"
#include "export/fieldexport.h"
#include "export/pointfield.h"
#include "export/quantitynames.h"
#include "export/sectionexport.h"
#include "files/inpmodel.h"
#include "files/slipfile.h"
#include "stress/receiverstress.h"

namespace py = pybind11;
using namespace crustex;

namespace {

using FloatArray = py::array_t<float, py::array::c_style | py::array::forcecast>;

// The lines the program reports, collected instead of printed.
class Messages {
public:
    Messages() : file_(open_memstream(&buf_, &len_)), host_(file_) {
        host_.progressdelay = std::chrono::hours(24);
    }
    ~Messages() {
        std::fclose(file_);
        std::free(buf_);
    }
    Messages(const Messages&) = delete;
    Messages& operator=(const Messages&) = delete;

    StderrHost& host() { return host_; }
    // The lines without the program's name in front.
    std::vector<std::string> lines() {
        std::fflush(file_);
        std::vector<std::string> out;
        std::string text(buf_ == nullptr ? "" : std::string(buf_, len_));
        std::size_t at = 0;
        while (at < text.size()) {
            std::size_t end = text.find('\n', at);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(at, end - at);
            const std::string prefix = "crustex-batch: ";
            if (line.rfind(prefix, 0) == 0) line.erase(0, prefix.size());
            if (!line.empty()) out.push_back(line);
            at = end + 1;
        }
        return out;
    }
    [[noreturn]] void fail(const std::string& fallback) {
        std::string text;
        for (const std::string& line : lines()) text += (text.empty() ? "" : "\n") + line;
        throw py::value_error(text.empty() ? fallback : text);
    }

private:
    char* buf_ = nullptr;
    std::size_t len_ = 0;
    std::FILE* file_;
    StderrHost host_;
};

BatchEnvironment environment(const std::string& programdir, const std::string& datadir) {
    BatchEnvironment env;
    env.programdir = programdir;
    env.datadir = datadir;
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd) != nullptr) env.curdir = cwd;
    env.commandline = "crustex (Python)";
    return env;
}

// A model read from files or built from arrays.
struct Model {
    std::unique_ptr<BatchModel> m = std::make_unique<BatchModel>();
    std::string path;  // the file it was read from ("" when built)
    std::vector<std::string> messages;
};

// The words after the command checked by the batch program's parser.
BatchRequest parsewords(const std::vector<std::string>& words) {
    const BatchArgs args = parsebatchargs(words);
    if (!args.request) throw py::value_error(args.error);
    return *args.request;
}

// OSError for a file that cannot be read ("" and "sources" are no files).
void readable(std::initializer_list<const std::string*> paths) {
    for (const std::string* p : paths) {
        if (p->empty() || *p == kSourcesAsReceivers || ::access(p->c_str(), R_OK) == 0) continue;
        PyErr_SetString(PyExc_OSError, ("cannot read '" + *p + "'").c_str());
        throw py::error_already_set();
    }
}

std::shared_ptr<Model> readmodel(const std::string& path, const std::string& sources,
                                 const std::string& slip, const std::string& mapdir,
                                 const std::string& programdir, const std::string& datadir) {
    readable({&path, &sources, &slip});
    BatchRequest req;
    req.command = BatchCommand::Grid;
    const SlipFormat format = slipformatof(path, "");
    const bool sliponly = format != SlipFormat::Unknown && format != SlipFormat::Inp;
    if (sliponly && !slip.empty()) throw py::value_error("a slip model cannot be added to another");
    req.work = sliponly ? "" : path;
    req.slip = sliponly ? path : slip;
    req.sources = sources;
    req.mapdir = mapdir;
    auto model = std::make_shared<Model>();
    model->path = path;
    Messages msg;
    startbatchmodel(*model->m, environment(programdir, datadir), mapdir);
    if (!readbatchinputs(*model->m, req, msg.host())) msg.fail("cannot use '" + path + "'");
    model->messages = msg.lines();
    return model;
}

// The field of a model built from arrays: corners, interval counts and depth.
struct FieldArgs {
    float x0, x1;
    int nx;
    float y0, y1;
    int ny;
    float depth;
};

// Sets a horizontal field, refusing what the field grid cannot take.
void setfield(WorkState& ws, const FieldArgs& f) {
    for (const float v : {f.x0, f.x1, f.y0, f.y1, f.depth})
        if (!std::isfinite(v)) throw py::value_error("field: a value is not a number");
    if (!(f.x1 > f.x0) || !(f.y1 > f.y0))
        throw py::value_error("field: x1 and y1 must lie beyond x0 and y0");
    if (f.nx < 1 || f.ny < 1 || f.nx > INT16_MAX || f.ny > INT16_MAX)
        throw py::value_error("field: nx and ny must be 1 or more");
    if (const std::string why = gridsizeproblem(f.nx, f.ny); !why.empty())
        throw py::value_error("field: " + why);
    ws.xview0 = f.x0;
    ws.xview1 = f.x1;
    ws.yview0 = f.y0;
    ws.yview1 = f.y1;
    ws.xgrid = static_cast<int16_t>(f.nx);
    ws.ygrid = static_cast<int16_t>(f.ny);
    ws.obsdepth = f.depth;
    ws.inclined = false;
    if (!fieldgridusable(ws)) throw py::value_error("field: the node spacing is not usable");
}

// The node numbers of patches given as columns x0 y0 x1 y1 top width dip
// rake slip opening, and the field and medium given as the field dialog's
// and the work file's values.
std::shared_ptr<Model> frompatches(FloatArray patches, const FieldArgs& field, float poisson,
                                   float young, float friction, const std::string& programdir,
                                   const std::string& datadir) {
    if (patches.ndim() != 2 || patches.shape(1) != 10)
        throw py::value_error("patches must be an array of 10 columns");
    auto model = std::make_shared<Model>();
    WorkState& ws = model->m->ws;
    startbatchmodel(*model->m, environment(programdir, datadir), "");
    auto p = patches.unchecked<2>();
    for (py::ssize_t i = 0; i < p.shape(0); ++i) {
        SlipPatch s{p(i, 0), p(i, 1), p(i, 2), p(i, 3), p(i, 4),
                    p(i, 5), p(i, 6), p(i, 7), p(i, 8), p(i, 9)};
        ws.slipmodel.patches.push_back(s);
    }
    leavesourcesout(ws);
    if (!(poisson > -1 && poisson < 0.5) || !(young > 0) || !std::isfinite(friction))
        throw py::value_error(
            "the medium needs -1 < poisson < 0.5, a positive modulus and a "
            "finite friction");
    ws.medium = {poisson, young};
    ws.friction = friction;
    setfield(ws, field);
    markgridstale(ws);
    return model;
}

std::vector<const GridVariable*> variables(const std::vector<std::string>& keys) {
    std::vector<const QuantityName*> quantities;
    for (const std::string& key : keys) {
        const QuantityName* q = findquantityname(key);
        if (q == nullptr) throw py::value_error("unknown quantity '" + key + "'");
        if (q->variables.empty()) throw py::value_error("'" + key + "' is a picture only");
        quantities.push_back(q);
    }
    if (quantities.empty()) quantities = defaultgridquantities();
    return gridvariables(quantities);
}

// The unit asked for ("" for the model's own) on a copy of the model.
StressUnit stressunit(const WorkState& ws, const std::string& units) {
    if (units.empty()) return ws.stressunit;
    if (units == "bar") return StressUnit::Bar;
    if (units == "MPa") return StressUnit::MPa;
    throw py::value_error("units takes bar or MPa, not '" + units + "'");
}

// Refuses quantities the model cannot give, as the batch program does.
void offered(const Model& model, const std::vector<std::string>& keys) {
    BatchRequest req;
    for (const std::string& key : keys)
        if (const QuantityName* q = findquantityname(key)) req.quantities.emplace_back(q->key);
    Messages msg;
    if (!batchquantitiesoffered(*model.m, req, msg.host())) msg.fail("quantity not offered");
}

// A variable's values as a float32 array of the given shape, NaN where the
// program has no value.
py::array_t<float> toarray(const Grid2D& g, std::vector<py::ssize_t> shape, bool transpose) {
    py::array_t<float> out(shape);
    float* o = out.mutable_data();
    if (transpose) {
        // node (i, j) at [j][i]: rows are y (or depth), columns x (or distance)
        const int nx = g.nx(), ny = g.ny();
        for (int j = 0; j <= ny; ++j)
            for (int i = 0; i <= nx; ++i) *o++ = g(i, j) == kNoValue ? NAN : g(i, j);
    } else {
        for (const float v : g.values()) *o++ = v == kNoValue ? NAN : v;
    }
    return out;
}

py::dict variabledict(const std::vector<ExportedVariable>& vars,
                      const std::vector<py::ssize_t>& shape, bool transpose, py::dict& units) {
    py::dict out;
    for (const ExportedVariable& v : vars) {
        const std::string name(v.info->name);
        out[name.c_str()] = toarray(v.values, shape, transpose);
        units[name.c_str()] = std::string(v.info->units);
    }
    return out;
}

// heading, incidence: the line of sight over the model's (NaN: the model's).
py::tuple evaluate(const Model& model, FloatArray x, FloatArray y, FloatArray z,
                   const std::vector<std::string>& keys, const std::string& units, int threads,
                   float heading, float incidence) {
    if (x.ndim() != 1 || y.ndim() != 1 || z.ndim() != 1 || x.shape(0) != y.shape(0) ||
        x.shape(0) != z.shape(0))
        throw py::value_error("x, y and z must be flat arrays of one length");
    const std::vector<const GridVariable*> vars = variables(keys);
    offered(model, keys);
    const auto ws = std::make_unique<WorkState>(model.m->ws);
    ws->stressunit = stressunit(*ws, units);
    if (!std::isnan(heading) || !std::isnan(incidence)) {
        ws->losheading = heading;
        ws->losincidence = incidence;
        const std::string why = losproblem(heading, incidence, ws->loswavelength);
        if (!why.empty()) throw py::value_error(why);
    }
    const ModelPoints pts{x.data(), y.data(), z.data(), static_cast<std::size_t>(x.shape(0))};
    const GeoFrame geo = model.m->geo();
    std::vector<ExportedVariable> out;
    bool ok = false;
    {
        py::gil_scoped_release release;
        ok = evaluatepointfield(*ws, pts, vars, model.m->mapframe(geo), out,
                                {batchthreads(threads), {}});
    }
    if (!ok) throw py::value_error("too many points: at most " + std::to_string(kMaxFieldPoints));
    py::dict unitnames;
    py::dict values = variabledict(out, {x.shape(0)}, false, unitnames);
    return py::make_tuple(values, unitnames);
}

py::tuple grid(const Model& model, const std::vector<std::string>& keys, const std::string& units,
               int threads) {
    const std::vector<const GridVariable*> vars = variables(keys);
    offered(model, keys);
    BatchModel& m = *model.m;
    const auto ws = std::make_unique<WorkState>(m.ws);
    ws->stressunit = stressunit(*ws, units);
    Messages msg;
    bool ok = false;
    {
        py::gil_scoped_release release;
        ok = evaluatefieldgrid(*ws, msg.host(), batchthreads(threads));
    }
    if (!ok) msg.fail("the field grid could not be evaluated");
    const GeoFrame geo = m.geo();
    const FieldGridExport g =
        collectfieldgrid(*ws, msg.host(), vars, m.mapframe(geo), {"CRUSTEX", ""});
    const std::vector<py::ssize_t> shape{static_cast<py::ssize_t>(g.y.size()),
                                         static_cast<py::ssize_t>(g.x.size())};
    py::dict unitnames;
    py::dict values = variabledict(g.variables, shape, true, unitnames);
    return py::make_tuple(g.x, g.y, values, unitnames);
}

py::tuple section(const Model& model, const std::vector<std::string>& words, int threads) {
    const BatchRequest req = parsewords(words);
    BatchModel& m = *model.m;
    Messages msg;
    SectionSpec spec;
    if (!batchsection(m, req, msg.host(), spec)) msg.fail("the section cannot be evaluated");
    const std::vector<const GridVariable*> vars = variables(req.quantities);
    offered(model, req.quantities);
    const auto ws = std::make_unique<WorkState>(m.ws);
    if (req.units) ws->stressunit = *req.units;
    const auto s = std::make_unique<Section>();
    const NorthReference north =
        ws->needmap ? NorthReference{&m.proj, &m.pc.frame} : NorthReference{};
    bool ok = false;
    {
        py::gil_scoped_release release;
        ok = evaluatesection(*ws, spec, north, *s, {batchthreads(threads), {}});
    }
    if (!ok) throw py::value_error("the section could not be evaluated");
    const GeoFrame geo = m.geo();
    const FieldGridExport g = collectsection(*ws, *s, vars, m.mapframe(geo), {"CRUSTEX", ""});
    const std::vector<py::ssize_t> shape{static_cast<py::ssize_t>(g.y.size()),
                                         static_cast<py::ssize_t>(g.x.size())};
    py::dict unitnames;
    py::dict values = variabledict(g.variables, shape, true, unitnames);
    return py::make_tuple(g.x, g.y, s->nodes.x, s->nodes.y, values, unitnames);
}

py::dict receivers(const Model& model, const std::vector<std::string>& words, int threads) {
    const BatchRequest req = parsewords(words);
    readable({&req.receivers});
    BatchModel& m = *model.m;
    Messages msg;
    std::vector<ReceiverFault> list;
    if (!batchreceivers(m, req, msg.host(), list)) msg.fail("no receivers");
    ReceiverOptions options = receiveroptions(m.ws);
    options.unit = req.units.value_or(StressUnit::Bar);
    if (req.rake) options.rake = *req.rake;
    options.split = req.split;
    ReceiverResults r;
    std::string why;
    bool ok = false;
    {
        py::gil_scoped_release release;
        ok = evaluatereceivers(m.ws, list, options, r, {batchthreads(threads), {}}, &why);
    }
    if (!ok) throw py::value_error("the receivers could not be evaluated: " + why);
    const std::size_t n = r.patches.size();
    std::vector<int> receiver(n), patch(n);
    std::vector<std::string> names(n);
    std::vector<float> x(n), y(n), depth(n), strike(n), dip(n), rake(n), shear(n), normal(n),
        cff(n);
    auto value = [](float v) { return v == kNoValue || !std::isfinite(v) ? NAN : v; };
    for (std::size_t k = 0; k < n; ++k) {
        const ReceiverPatch& p = r.patches[k];
        receiver[k] = static_cast<int>(p.receiver) + 1;
        patch[k] = static_cast<int>(p.patch) + 1;
        names[k] = list[p.receiver].name;
        x[k] = p.x;
        y[k] = p.y;
        depth[k] = p.depth;
        strike[k] = p.strike;
        dip[k] = p.dip;
        rake[k] = p.rake;
        shear[k] = value(r.values[k].shear);
        normal[k] = value(r.values[k].normal);
        cff[k] = value(r.values[k].cff);
    }
    py::dict out;
    out["receiver"] = py::array(py::cast(receiver));
    out["patch"] = py::array(py::cast(patch));
    out["name"] = names;
    for (const auto& [key, v] : {std::pair{"x", &x},
                                 {"y", &y},
                                 {"depth", &depth},
                                 {"strike", &strike},
                                 {"dip", &dip},
                                 {"rake", &rake},
                                 {"shear", &shear},
                                 {"normal", &normal},
                                 {"cff", &cff}})
        out[key] = py::array_t<float>(static_cast<py::ssize_t>(n), v->data());
    const char* unit = options.unit == StressUnit::MPa ? "MPa" : "bar";
    out["unit"] = unit;
    return out;
}

std::string fit(const Model& model, const std::vector<std::string>& words) {
    BatchRequest req = parsewords(words);
    readable({&req.sites});
    req.work = model.path;
    Messages msg;
    auto copy = std::make_unique<BatchModel>();
    copy->ws = model.m->ws;
    copy->proj = model.m->proj;
    copy->pc.frame = model.m->pc.frame;
    copy->stretch = model.m->stretch;
    if (!readbatchsites(*copy, req, msg.host())) msg.fail("cannot use the site file");
    std::string json;
    int status = kBatchFailed;
    {
        py::gil_scoped_release release;
        status = batchfitjson(req, copy->ws, copy->geo(), msg.host(), json);
    }
    if (status != kBatchOk) msg.fail("the fit failed");
    return json;
}

// km to degrees (or back) through the model's map, or its .inp Map info.
py::tuple convert(const Model& model, FloatArray a, FloatArray b, bool togeo) {
    if (a.ndim() != 1 || b.ndim() != 1 || a.shape(0) != b.shape(0))
        throw py::value_error("the coordinates must be flat arrays of one length");
    const auto f = togeo ? model.m->togeo() : model.m->fromgeo();
    if (!f) throw py::value_error("the model has no map: its km have no longitude and latitude");
    const py::ssize_t n = a.shape(0);
    py::array_t<float> u(n), v(n);
    for (py::ssize_t k = 0; k < n; ++k) {
        float p = NAN, q = NAN;
        if (std::isfinite(a.data()[k]) && std::isfinite(b.data()[k]))
            f(a.data()[k], b.data()[k], p, q);
        u.mutable_data()[k] = p;
        v.mutable_data()[k] = q;
    }
    return py::make_tuple(u, v);
}

}  // namespace

PYBIND11_MODULE(_crustex, mod) {
    mod.doc() = "The native part of crustex: the program's core on numpy arrays.";
    py::class_<Model, std::shared_ptr<Model>>(mod, "NativeModel")
        .def_readonly("path", &Model::path)
        .def_readonly("messages", &Model::messages)
        .def_property_readonly(
            "sources",
            [](const Model& m) {
                const WorkState& ws = m.m->ws;
                std::vector<std::vector<float>> rows;
                for (int k = 1; k <= std::clamp<int>(ws.nfault, 0, kMaxSources); ++k) {
                    const faultrec& f = ws.fault[static_cast<std::size_t>(k)];
                    rows.push_back({static_cast<float>(f.sourcetype), f.fx0, f.fy0, f.fx1, f.fy1,
                                    f.fdepth, f.fwidth, f.fdipangle, f.rakeangle, f.slip, f.tensile,
                                    f.px, f.py, f.pdepth, f.piso});
                }
                return rows;
            })
        .def_property_readonly("patches",
                               [](const Model& m) {
                                   std::vector<std::vector<float>> rows;
                                   for (const SlipPatch& p : m.m->ws.slipmodel.patches)
                                       rows.push_back({p.x0, p.y0, p.x1, p.y1, p.top, p.width,
                                                       p.dip, p.rake, p.slip, p.opening});
                                   return rows;
                               })
        .def_property_readonly("shear_modulus",
                               [](const Model& m) { return shearmodulus(m.m->ws.medium); })
        .def_property_readonly("poisson", [](const Model& m) { return m.m->ws.medium.poisson; })
        .def_property_readonly("friction", [](const Model& m) { return m.m->ws.friction; })
        .def_property_readonly("stress_unit",
                               [](const Model& m) {
                                   switch (m.m->ws.stressunit) {
                                       case StressUnit::Bar: return "bar";
                                       case StressUnit::MPa: return "MPa";
                                       case StressUnit::Rigidity: break;
                                   }
                                   return "1e-6";
                               })
        .def_property_readonly("grid",
                               [](const Model& m) {
                                   const WorkState& ws = m.m->ws;
                                   std::vector<float> x, y;
                                   if (fieldgridusable(ws)) {
                                       for (int i = 0; i <= ws.xgrid; ++i)
                                           x.push_back(gridnodex(ws, i));
                                       for (int j = 0; j <= ws.ygrid; ++j)
                                           y.push_back(gridnodey(ws, j));
                                   }
                                   return py::make_tuple(x, y, ws.obsdepth, ws.inclined);
                               })
        .def_property_readonly("field",
                               [](const Model& m) {
                                   const WorkState& ws = m.m->ws;
                                   return py::make_tuple(ws.xview0, ws.xview1, ws.xgrid, ws.yview0,
                                                         ws.yview1, ws.ygrid, ws.obsdepth);
                               })
        .def_property_readonly("has_map",
                               [](const Model& m) { return static_cast<bool>(m.m->togeo()); });
    py::class_<FieldArgs>(mod, "Field")
        .def(py::init<float, float, int, float, float, int, float>());
    mod.def("read_model", &readmodel);
    mod.def("from_patches", &frompatches);
    mod.def("evaluate", &evaluate);
    mod.def("grid", &grid);
    mod.def("section", &section);
    mod.def("receivers", &receivers);
    mod.def("fit", &fit);
    mod.def("convert", &convert);
    mod.attr("build_dir") = CRUSTEX_BUILD_DIR;
    mod.attr("data_dir") = CRUSTEX_DATA_DIR;
}
