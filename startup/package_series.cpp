#include "startup/package_series.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "core/elapsed_time.h"

namespace mw {
namespace {

std::int64_t SecondsNow()
{
    return NanosecondsSince1970() / 1'000'000'000;
}

}  // namespace

bool SeriesIsLive(SettingsStore& settings)
{
    const std::string stored = settings.ReadSetting(kSeriesStepValue, "");
    std::int64_t stepped = 0;
    const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), stepped);
    if (error != std::errc() || end != stored.data() + stored.size() || stored.empty())
        return false;
    // A step that the clock puts in the future is as stale as an old one.
    const std::int64_t idle = SecondsNow() - stepped;
    return idle >= 0 && idle < std::chrono::seconds(kSeriesIdleLimit).count();
}

void MarkSeriesStep(SettingsStore& settings)
{
    settings.WriteSetting(kSeriesStepValue, std::to_string(SecondsNow()));
}

void EndSeries(SettingsStore& settings)
{
    settings.WriteSetting(kSeriesStepValue, "");
}

}  // namespace mw
