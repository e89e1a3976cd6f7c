#include "stress/sectionform.h"

#include <cmath>

#include "model/dialogbounds.h"
#include "model/numtext.h"

namespace crustex {

namespace {

constexpr std::string_view kKmFields[] = {"x0", "y0", "x1", "y1"};
constexpr std::string_view kGeoFields[] = {"lat0", "lon0", "lat1", "lon1"};

}  // namespace

SectionChoice proposesection(const WorkState& ws, const std::optional<SectionChoice>& last) {
    if (last) return *last;
    SectionChoice c;
    if (ws.sectiondefault.given) {
        c.spec = sectionfromline(ws.sectiondefault);
        c.spec.dz = c.spec.step;
        return c;
    }
    const float y = (ws.yview0 + ws.yview1) / 2;
    const float spacing = ws.xgrid > 0 ? (ws.xview1 - ws.xview0) / ws.xgrid : 1;
    c.spec = {ws.xview0, y, ws.xview1, y, 0, kProposedDepth, spacing, spacing};
    return c;
}

const std::string* SectionFormText::box(std::string_view field) const {
    const std::string* points[] = {&p0a, &p0b, &p1a, &p1b};
    const auto& shown = geographic ? kGeoFields : kKmFields;
    for (int k = 0; k < 4; ++k)
        if (field == shown[k]) return points[k];
    if (field == "top") return &top;
    if (field == "bottom") return &bottom;
    if (field == "step") return &step;
    if (field == "within") return &within;
    return nullptr;
}

SectionFormText sectionformtext(const SectionChoice& c, const std::optional<SectionGeo>& geo) {
    SectionFormText t;
    const SectionSpec& s = c.spec;
    float p[4] = {s.x0, s.y0, s.x1, s.y1};
    if (geo) {
        kmtogeo(geo->proj, geo->frame, s.x0, s.y0, p[0], p[1]);
        kmtogeo(geo->proj, geo->frame, s.x1, s.y1, p[2], p[3]);
        t.geographic = true;
    }
    std::string* texts[] = {&t.p0a, &t.p0b, &t.p1a, &t.p1b};
    for (int k = 0; k < 4; ++k) *texts[k] = geo ? formatnumber(p[k], "0.####") : generalform(p[k]);
    t.top = generalform(s.top);
    t.bottom = generalform(s.bottom);
    t.step = generalform(s.step);
    t.within = generalform(c.eventwithin);
    return t;
}

FormCheck checksectionform(const SectionFormText& text, const std::optional<SectionGeo>& geo,
                           SectionChoice& out) {
    FieldValues v;
    if (FormCheck r = checkform(DialogKind::Section, text, v); !r.ok()) return r;
    SectionChoice c;
    SectionSpec& s = c.spec;
    if (text.geographic) {
        if (!geo)
            return FormCheck::rejected("lat0", "no map projection for latitude and longitude");
        geotokm(geo->proj, geo->frame, v.get("lat0"), v.get("lon0"), s.x0, s.y0);
        if (!std::isfinite(s.x0) || !std::isfinite(s.y0)) return FormCheck::rejected("lat0");
        geotokm(geo->proj, geo->frame, v.get("lat1"), v.get("lon1"), s.x1, s.y1);
        if (!std::isfinite(s.x1) || !std::isfinite(s.y1)) return FormCheck::rejected("lat1");
    } else {
        s.x0 = v.get("x0");
        s.y0 = v.get("y0");
        s.x1 = v.get("x1");
        s.y1 = v.get("y1");
    }
    s.top = v.get("top");
    s.bottom = v.get("bottom");
    s.step = s.dz = v.get("step");
    c.eventwithin = v.get("within");
    const char* second = text.geographic ? "lat1" : "x1";
    if (!(sectionlength(s) > 0)) return FormCheck::rejected(second, sectionproblem(s));
    if (s.bottom < s.top) return FormCheck::rejected("bottom", sectionproblem(s));
    if (std::string why = sectionproblem(s); !why.empty())
        return FormCheck::rejected("step", std::move(why));
    out = c;
    return FormCheck::accepted();
}

}  // namespace crustex
