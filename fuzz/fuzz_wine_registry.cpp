// The Wine registry reader over arbitrary text. The input's first line is
// the key path to look for, the rest the registry file. Texts found must be
// valid UTF-8 and value names must match whatever their ASCII case.
#include <cstdlib>
#include <string_view>

#include "core/text.h"
#include "settings/posix/wine_registry.h"

namespace {

bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                                 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

void CheckValue(const mw::WineRegistryKey& key, std::string_view name)
{
    const std::optional<std::string> text = key.Text(name);
    if (text && !IsUtf8(*text))
        std::abort();
    if (key.Text(UpperAscii(name)) != text || key.Text(mw::LowerAscii(name)) != text)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string_view keyPath = input.substr(0, newline);
    const std::string_view fileText = newline == std::string_view::npos ? "" : input.substr(newline + 1);

    const std::optional<mw::WineRegistryKey> key = mw::FindWineRegistryKey(fileText, keyPath);
    if (!key)
        return 0;
    CheckValue(*key, "Directory");
    CheckValue(*key, "");
    CheckValue(*key, keyPath.substr(keyPath.find_last_of('\\') + 1));
    return 0;
}
