// The per-user settings store as the operations see it: string values read
// and written one at a time, flags stored as "1" and "0". The windowed
// program keeps it in the platform's settings (settings/); the command-line
// tool and the tests keep it in memory.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace mw {

// The four values the program remembers.
inline constexpr const char* kFileNameValue = "FileName";
inline constexpr const char* kWadNameValue = "WadName";
inline constexpr const char* kExtractPathValue = "ExtractPath";
inline constexpr const char* kContinueValue = "Continue";

// The source field's text before anything is chosen: the default of
// "FileName", and the text by which the update sees that no source was chosen.
inline constexpr const char* kSourcePlaceholder = "...or select a file";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The value's text, or nothing when the value does not exist.
    virtual std::optional<std::string> Read(const std::string& name) = 0;
    // Stores the text, creating or replacing the value, straight away.
    virtual void Write(const std::string& name, const std::string& text) = 0;

    std::string ReadSetting(const std::string& name, const std::string& fallback);
    void WriteSetting(const std::string& name, const std::string& text);
    // Nonzero is true, zero false; a missing value or a text that is not a
    // 32-bit integer gives the fallback.
    bool ReadSettingFlag(const std::string& name, bool fallback);
    void WriteSettingFlag(const std::string& name, bool flag);
};

// A store that lives as long as the object: the command-line tool's and the tests'.
class InMemorySettings : public SettingsStore {
public:
    std::optional<std::string> Read(const std::string& name) override;
    void Write(const std::string& name, const std::string& text) override;
    const std::map<std::string, std::string>& values() const { return values_; }

private:
    std::map<std::string, std::string> values_;
};

// A settings text read as a 32-bit integer: leading blanks, an optional sign,
// then decimal digits, or hexadecimal ones after "$", "x" or "0x" (hexadecimal
// takes the full 32 bits and wraps). Anything else, including an empty text,
// trailing characters or a decimal value out of range, gives nothing.
std::optional<std::int32_t> ParseSettingInteger(std::string_view text);

}  // namespace mw
