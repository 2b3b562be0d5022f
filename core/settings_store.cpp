#include "core/settings_store.h"

#include <cstdint>

namespace mw {

std::string SettingsStore::ReadSetting(const std::string& name, const std::string& fallback)
{
    std::optional<std::string> value = Read(name);
    return value ? *value : fallback;
}

void SettingsStore::WriteSetting(const std::string& name, const std::string& text)
{
    Write(name, text);
}

bool SettingsStore::ReadSettingFlag(const std::string& name, bool fallback)
{
    const std::optional<std::string> value = Read(name);
    if (!value)
        return fallback;
    const std::optional<std::int32_t> number = ParseSettingInteger(*value);
    return number ? *number != 0 : fallback;
}

void SettingsStore::WriteSettingFlag(const std::string& name, bool flag)
{
    Write(name, flag ? "1" : "0");
}

std::optional<std::string> InMemorySettings::Read(const std::string& name)
{
    const auto found = values_.find(name);
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

void InMemorySettings::Write(const std::string& name, const std::string& text)
{
    values_[name] = text;
}

std::optional<std::int32_t> ParseSettingInteger(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';

    int base = 10;
    if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
        base = 16;
        ++at;
    } else if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        base = 16;
        at += 2;
    }
    if (at == text.size())
        return std::nullopt;

    std::uint64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (base == 16) {
        const auto bits = static_cast<std::uint32_t>(negative ? 0u - magnitude : magnitude);
        return static_cast<std::int32_t>(bits);
    }
    if (negative ? magnitude > 0x80000000ull : magnitude > 0x7FFFFFFFull)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                              : static_cast<std::int64_t>(magnitude));
}

}  // namespace mw
