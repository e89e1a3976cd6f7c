#include "export/sitelink.h"

namespace crustex {

// This build has no site-file reader and no misfit yet: both stay empty.
SiteLink sitelink() { return {}; }

}  // namespace crustex
