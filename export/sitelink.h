// What the batch program needs from the observation-site layer: reading a
// site file as "Open Obs. Sites...." does, and the misfit summary of the
// observed kind. A build whose site layer does not offer them leaves the
// functions empty; the batch program then refuses site files.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/siteeval.h"
#include "files/sourcefile.h"
#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

// Root-mean-square of observed minus computed over the sites that have
// both, per component of the observed kind and over all of them.
struct SiteMisfitSummary {
    int count = 0;            // sites with an observation
    std::vector<double> rms;  // per component, in the order of sitecomponents()
    double overall = 0;
};

struct SiteLink {
    // Reads the file into the work state's site table and observed kind;
    // false when no site was read (the reader's messages went to host).
    std::function<bool(WorkState&, Host&, const GeoFrame&, const std::string& path)> read;
    // The misfit of the current observed kind from the computed values.
    std::function<SiteMisfitSummary(const WorkState&, const SiteResults&)> misfit;

    bool available() const { return read && misfit; }
};

// The site layer's functions in this build.
SiteLink sitelink();

}  // namespace crustex
