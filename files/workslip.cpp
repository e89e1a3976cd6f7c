#include "files/workslip.h"

#include <filesystem>

#include "files/inpmodel.h"
#include "files/slipfile.h"
#include "files/workmapdir.h"

namespace crustex {

namespace fs = std::filesystem;

std::optional<SlipModelRecord> slipmodelforwork(const SlipModel& model,
                                                const std::string& workpath) {
    if (model.empty() || model.file.empty()) return std::nullopt;
    const fs::path parent = fs::path(workpath).parent_path();
    const fs::path file = realpathof(model.file);
    const fs::path work = realpathof(parent.empty() ? "." : parent);
    if (file.empty() || work.empty()) return std::nullopt;
    const std::string relative = file.lexically_relative(work).generic_string();
    // A double quote or a line end would break the record for older readers.
    if (relative.empty() || relative.find_first_of("\"\r\n") != std::string::npos)
        return std::nullopt;
    return SlipModelRecord{relative, model.xshift, model.yshift};
}

void writeslipmodel(RecordWriter& w, const SlipModelRecord& record) {
    w.text(kSlipModelKeyword);
    w.text(record.path);
    w.number(record.xshift);
    w.number(record.yshift);
    w.endline();
}

RecordRead readslipmodel(RecordReader& r, SlipModelRecord& out) {
    SlipModelRecord rec;
    if (!r.readtext(rec.path) || !r.readfloat(rec.xshift) || !r.readfloat(rec.yshift))
        return RecordRead::Broken;
    out = std::move(rec);
    return RecordRead::Applied;
}

bool loadrecordedslipmodel(WorkState& ws, Host& host, const GeoFrame* geo,
                           const SlipModelRecord& record, const std::string& base) {
    const std::string path = (fs::path(base) / record.path).lexically_normal().string();
    // A work file may name anything: the reader opens only a regular file.
    SlipFileRead read = readslipfile(path);
    PlacedModel placed;
    if (!placeslipfile(read, geo, placed)) {
        host.messageBox("Slip Model not Read: " + slipsummary(read, placed), "Warning",
                        MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    // A model placed in km goes where the work had it.
    if (placed.model.geo.empty()) shiftplaced(placed, record.xshift, record.yshift);
    installslipmodel(ws, read, std::move(placed), path);
    return true;
}

}  // namespace crustex
