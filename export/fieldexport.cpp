#include "export/fieldexport.h"

#include <algorithm>
#include <charconv>

#include "compose/fringes.h"
#include "engine/cff.h"
#include "engine/composite.h"
#include "engine/fieldgrid.h"
#include "engine/inclinedlines.h"
#include "geo/projection.h"
#include "model/numtext.h"
#include "stress/optimalplanes.h"
#include "stress/stressunits.h"

namespace crustex {

namespace {

std::string num(float v) { return generalform(v); }

// lambda / mu of the medium as its attribute says it: of the shortest
// decimal of Poisson's ratio (1 for 0.25).
double attributelameratio(const Medium& m) {
    const double nu = shortestdecimal(m.poisson);
    return 2 * nu / (1 - 2 * nu);
}

const char* projectionname(int16_t kind) {
    if (kind == kMillur) return "Miller cylindrical";
    if (kind == kConic) return "Conic";
    return "Mercator";
}

}  // namespace

double shortestdecimal(float v) {
    const std::string text = shortestfloat(v);
    double d = v;
    std::from_chars(text.data(), text.data() + text.size(), d);
    return d;
}

std::string shortestfloat(float v) {
    if (v == 0) v = 0;  // no "-0"
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

bool evaluatefieldgrid(WorkState& ws, Host& host, int threads) {
    if (ws.inclined) calcinclinedlines(ws);
    redimsub(ws);
    setfielddepth(ws);
    // New grids hold no delta CFF whatever the receiver did.
    ws.cffstale = true;
    if (!calcgridstrain(ws, host, threads)) return false;
    ws.gridstale = false;
    return true;
}

void evaluateextra(WorkState& ws, Host& host, ExtraEvaluation extra, const GeoFrame* geo) {
    switch (extra) {
        case ExtraEvaluation::None: break;
        case ExtraEvaluation::CompositeDisplacement: composedispl(ws); break;
        case ExtraEvaluation::CompositeStrain: composestrain(ws); break;
        case ExtraEvaluation::Cff:
            if (!ws.cffstale) break;
            calcgridcff(ws, host);
            ws.cffstale = false;
            break;
        case ExtraEvaluation::Los: evaluatelos(ws, geo); break;
        case ExtraEvaluation::OptimalCff:
            calcgridoptimalcff(ws,
                               geo ? NorthReference{&geo->proj, &geo->frame} : NorthReference{});
            break;
    }
}

std::string regionalstresstext(const RegionalStress& r) {
    std::string out;
    for (std::size_t k = 0; k < r.axis.size(); ++k) {
        const PrincipalStress& a = r.axis[k];
        if (k > 0) out += "; ";
        out += 'S';
        out += std::to_string(k + 1) + " azimuth " + num(a.azimuth) + " plunge " + num(a.plunge) +
               ": " + num(a.surface) + " bar + " + num(a.gradient) + " bar/km";
    }
    return out;
}

std::string sourcestext(const WorkState& ws) {
    std::string out;
    const int n = std::clamp<int>(ws.nfault, 0, kMaxSources);
    for (int k = 1; k <= n; ++k) {
        const faultrec& f = ws.fault[static_cast<std::size_t>(k)];
        out += std::to_string(k) + ": ";
        if (f.sourcetype == 1) {
            out += "inflation point at (" + num(f.px) + ", " + num(f.py) + ") km, depth " +
                   num(f.pdepth) + " km, isotropic component " + num(f.piso) + " x 10^6 m^3";
        } else {
            out += "fault from (" + num(f.fx0) + ", " + num(f.fy0) + ") to (" + num(f.fx1) + ", " +
                   num(f.fy1) + ") km, top depth " + num(f.fdepth) + " km, width " + num(f.fwidth) +
                   " km, dip " + num(f.fdipangle) + " deg, slip " + num(f.slip) + " mm, rake " +
                   num(f.rakeangle) + " deg, opening " + num(f.tensile) + " mm";
        }
        if (k < n) out += "\n";
    }
    return out;
}

std::vector<GridAttribute> modelattributes(const WorkState& ws, const GridProvenance& p) {
    std::vector<GridAttribute> a = {
        {"Conventions", "CF-1.8"},
        {"title", "CRUSTEX field grid"},
        {"source", p.program},
        {"history", p.history},
        {"references", "Okada, Y. (1992), Bull. Seismol. Soc. Am. 82(2), 1018-1040"},
        {"comment",
         "Deformation of a homogeneous elastic half-space. x east and y north in km of the "
         "program's field; no-value nodes hold the fill value."},
        {"poisson_ratio", shortestdecimal(ws.medium.poisson)},
        {"lame_lambda_over_mu", attributelameratio(ws.medium)},
        {"shear_modulus_bar", shearmodulus(ws.medium)},
        {"stress_unit", std::string(stressunitword(ws.stressunit))},
        {"number_of_sources", static_cast<double>(std::clamp<int>(ws.nfault, 0, kMaxSources))},
        {"sources", sourcestext(ws)},
        {"friction_coefficient", shortestdecimal(ws.friction)},
        {"receiver_strike_deg", shortestdecimal(ws.cffstrike)},
        {"receiver_dip_deg", shortestdecimal(ws.cffdip)},
        {"receiver_rake_deg", shortestdecimal(ws.cffrake)},
    };
    if (!ws.slipmodel.empty()) {
        a.push_back({"number_of_slip_patches", static_cast<double>(ws.slipmodel.size())});
        if (!ws.slipmodel.file.empty()) a.push_back({"slip_model_file", ws.slipmodel.file});
    }
    if (ws.regionalstress.given)
        a.push_back(
            {"regional_stress_compression_positive", regionalstresstext(ws.regionalstress)});
    return a;
}

void addmapattributes(const WorkState& ws, std::vector<GridAttribute>& a) {
    if (!ws.needmap) return;
    a.push_back({"map_projection", projectionname(ws.projection)});
    a.push_back({"map_south_lat", shortestdecimal(ws.flat1)});
    a.push_back({"map_west_lon", shortestdecimal(ws.flon1)});
    a.push_back({"map_north_lat", shortestdecimal(ws.flat2)});
    a.push_back({"map_east_lon", shortestdecimal(ws.flon2)});
}

void setattribute(std::vector<GridAttribute>& a, const std::string& name,
                  std::variant<std::string, double> value) {
    for (GridAttribute& x : a) {
        if (x.name != name) continue;
        x.value = std::move(value);
        return;
    }
    a.push_back({name, std::move(value)});
}

std::vector<GridAttribute> gridattributes(const WorkState& ws, const GridProvenance& p) {
    std::vector<GridAttribute> a = modelattributes(ws, p);
    if (ws.inclined) {
        a.push_back({"observation_plane", "inclined"});
        a.push_back({"inclined_reference_x_km", shortestdecimal(ws.obsincx)});
        a.push_back({"inclined_reference_y_km", shortestdecimal(ws.obsincy)});
        a.push_back({"inclined_reference_depth_km", shortestdecimal(ws.obsincdpt)});
        a.push_back({"inclined_strike_deg", shortestdecimal(ws.obsincs)});
        a.push_back({"inclined_dip_deg", shortestdecimal(ws.obsincdip)});
    } else {
        a.push_back({"observation_plane", "horizontal"});
        a.push_back({"observation_depth_km", shortestdecimal(ws.obsdepth)});
    }
    addmapattributes(ws, a);
    return a;
}

FieldGridExport collectfieldgrid(WorkState& ws, Host& host,
                                 std::span<const GridVariable* const> variables,
                                 const GeoFrame* geo, const GridProvenance& provenance) {
    FieldGridExport out;
    const int nx = ws.grids.ux.nx();
    const int ny = ws.grids.ux.ny();
    for (int i = 0; i <= nx; ++i) out.x.push_back(gridnodex(ws, i));
    for (int j = 0; j <= ny; ++j) out.y.push_back(gridnodey(ws, j));
    if (geo != nullptr) {
        out.lat.resize(nx, ny);
        out.lon.resize(nx, ny);
        for (int i = 0; i <= nx; ++i)
            for (int j = 0; j <= ny; ++j)
                kmtogeo(geo->proj, geo->frame, gridnodex(ws, i), gridnodey(ws, j), out.lat(i, j),
                        out.lon(i, j));
    }
    bool composites = false, los = false;
    for (const GridVariable* plain : variables) {
        const GridVariable* v = inunit(plain, ws.stressunit);
        evaluateextra(ws, host, v->extra, geo);
        composites = composites || v->extra == ExtraEvaluation::CompositeDisplacement ||
                     v->extra == ExtraEvaluation::CompositeStrain;
        los = los || v->extra == ExtraEvaluation::Los;
        out.variables.push_back({v, ws.grids.*(v->grid)});
        toexportunit(*v, ws, out.variables.back().values);
    }
    out.attributes = gridattributes(ws, provenance);
    if (los) {
        out.attributes.push_back({"los_heading_deg", shortestdecimal(ws.losheading)});
        out.attributes.push_back({"los_incidence_deg", shortestdecimal(ws.losincidence)});
        out.attributes.push_back({"radar_wavelength_mm", shortestdecimal(ws.loswavelength)});
    }
    if (composites) {
        out.attributes.push_back({"composite_displacement_weights_x_y_z",
                                  num(ws.fx) + " " + num(ws.fy) + " " + num(ws.fz)});
        out.attributes.push_back({"composite_strain_weights_xx_yy_zz_xy_yz_zx",
                                  num(ws.fxx) + " " + num(ws.fyy) + " " + num(ws.fzz) + " " +
                                      num(ws.fxy) + " " + num(ws.fyz) + " " + num(ws.fzx)});
    }
    return out;
}

}  // namespace crustex
