// The settings integer parser over arbitrary text: a value it reads must
// read back the same from its decimal text, leading blanks change nothing,
// and a flag stored as that text reads as the parser says.
#include <cstdlib>
#include <string>

#include "core/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> value = mw::ParseSettingInteger(text);
    if (mw::ParseSettingInteger(" \t" + text) != value)
        std::abort();
    if (value && mw::ParseSettingInteger(std::to_string(*value)) != value)
        std::abort();

    mw::InMemorySettings settings;
    settings.Write(mw::kContinueValue, text);
    for (const bool fallback : {false, true})
        if (settings.ReadSettingFlag(mw::kContinueValue, fallback) != (value ? *value != 0 : fallback))
            std::abort();
    return 0;
}
