// The seventeen track archives of a GP4 installation.
#pragma once

#include <array>

namespace mw {

inline constexpr int kTrackCount = 17;

// The seventeen GP4 track names, in the order the batch patches them.
extern const std::array<const char*, kTrackCount> TrackNames;

}  // namespace mw
