#include "files/workstressunit.h"

#include "stress/stressunits.h"

namespace crustex {

void writestressunit(RecordWriter& w, const WorkState& ws) {
    if (ws.stressunit == StressUnit::Rigidity) return;
    w.text(kStressUnitKeyword);
    w.text(stressunitword(ws.stressunit));
    w.endline();
}

RecordRead readstressunit(RecordReader& r, WorkState& ws) {
    std::string word;
    if (!r.readtext(word)) return RecordRead::Broken;
    const std::optional<StressUnit> unit = parsestressunit(word);
    if (!unit) return RecordRead::Refused;
    ws.stressunit = *unit;
    return RecordRead::Applied;
}

}  // namespace crustex
