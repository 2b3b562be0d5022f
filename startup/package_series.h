// A package's series of calls, "\Start" to "\End", as the settings keep it
// from one process to the next. It is live from "\Start" until "\End", or
// until kSeriesIdleLimit passes without a step: a package that stopped
// half way lends neither its answer nor its undo group to the next one.
#pragma once

#include <chrono>

#include "core/settings_store.h"

namespace mw {

inline constexpr std::chrono::minutes kSeriesIdleLimit{10};

// The settings value that holds the time of the series' last step, in
// seconds since 1970; empty once the series ended.
inline constexpr const char* kSeriesStepValue = "SeriesStep";

// Whether a series is live: started, not ended, and last stepped less than
// kSeriesIdleLimit ago.
bool SeriesIsLive(SettingsStore& settings);
// A step of the series, its start included, happens now.
void MarkSeriesStep(SettingsStore& settings);
void EndSeries(SettingsStore& settings);

}  // namespace mw
