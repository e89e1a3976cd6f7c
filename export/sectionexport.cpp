#include "export/sectionexport.h"

#include "geo/projection.h"

namespace crustex {

FieldGridExport collectsection(const WorkState& ws, Section& section,
                               std::span<const GridVariable* const> variables, const GeoFrame* geo,
                               const GridProvenance& provenance) {
    FieldGridExport out;
    const SectionNodes& n = section.nodes;
    out.xaxis = {"distance", "distance along the section's line from its first point"};
    out.yaxis = {"depth", "depth below the surface", true};
    out.csvlonlat = false;
    out.x.assign(n.distance.begin(), n.distance.end());
    out.y.assign(n.depth.begin(), n.depth.end());
    out.alongx = {{"x", "x (east) in the field", "km", {n.x.begin(), n.x.end()}},
                  {"y", "y (north) in the field", "km", {n.y.begin(), n.y.end()}}};
    const int nx = static_cast<int>(n.distance.size()) - 1;
    const int ny = static_cast<int>(n.depth.size()) - 1;
    if (geo != nullptr) {
        out.lat.resize(nx, ny);
        out.lon.resize(nx, ny);
        for (int i = 0; i <= nx; ++i) {
            float lat = 0, lon = 0;
            kmtogeo(geo->proj, geo->frame, n.x[static_cast<std::size_t>(i)],
                    n.y[static_cast<std::size_t>(i)], lat, lon);
            for (int j = 0; j <= ny; ++j) {
                out.lat(i, j) = lat;
                out.lon(i, j) = lon;
            }
        }
    }
    for (const GridVariable* v : variables) {
        if (v->extra == ExtraEvaluation::CompositeDisplacement ||
            v->extra == ExtraEvaluation::CompositeStrain)
            composesection(ws, section, v->extra == ExtraEvaluation::CompositeStrain);
        const GridVariable* shown = inunit(v, ws.stressunit);
        out.variables.push_back({shown, section.grids.*(v->grid)});
        toexportunit(*shown, ws, out.variables.back().values);
    }
    out.attributes = modelattributes(ws, provenance);
    const SectionSpec& s = section.spec;
    setattribute(out.attributes, "title", "CRUSTEX vertical section");
    setattribute(out.attributes, "comment",
                 "Deformation of a homogeneous elastic half-space on a vertical section: distance "
                 "along the line from its first point and depth below the surface in km; x and y "
                 "give the map position of each distance in km of the program's field; no-value "
                 "points hold the fill value.");
    for (const auto& [name, value] :
         {std::pair{"section_start_x_km", s.x0}, std::pair{"section_start_y_km", s.y0},
          std::pair{"section_end_x_km", s.x1}, std::pair{"section_end_y_km", s.y1},
          std::pair{"section_step_km", s.step}, std::pair{"section_depth_step_km", s.dz}})
        out.attributes.push_back({name, shortestdecimal(value)});
    addmapattributes(ws, out.attributes);
    return out;
}

}  // namespace crustex
