#include "ops/track_names.h"

namespace mw {

const std::array<const char*, kTrackCount> TrackNames = {
    "a1ring2001",   "barcelona2001", "hockenheim2001",  "hungaroring2001", "imola2001",  "indianapolis2001",
    "interlagos2001", "magnycours2001", "melborne2001", "monaco2001",      "montreal2001", "monza2001",
    "nurburgring2001", "sepang2001",  "silverstone2001", "spa2001",        "suzuka2001",
};

}  // namespace mw
