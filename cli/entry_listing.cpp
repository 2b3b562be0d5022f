#include "cli/entry_listing.h"

#include <cstdio>

#include "cli/cli_output.h"
#include "core/entry_text.h"
#include "core/path_helpers.h"

namespace mw::cli {
namespace {

// The length of the valid UTF-8 sequence at text[at], or 0.
std::size_t Utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length;
    unsigned minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    unsigned code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code >= minimum && code <= 0x10FFFF && !surrogate ? length : 0;
}

std::string Escaped(unsigned code)
{
    char text[8];
    std::snprintf(text, sizeof text, "\\u%04x", code);
    return text;
}

}  // namespace

std::string ListLine(std::size_t index, const WadEntry& entry)
{
    return std::to_string(index) + '\t' + std::to_string(entry.Offset) + '\t' + std::to_string(entry.Size) + '\t' +
           PrintableText(ShownEntryName(EntryName(entry))) + '\n';
}

std::string JsonString(std::string_view name)
{
    std::string json = "\"";
    for (std::size_t at = 0; at < name.size();) {
        const auto byte = static_cast<unsigned char>(name[at]);
        if (byte == '"' || byte == '\\') {
            json += '\\';
            json += static_cast<char>(byte);
        } else if (byte < 0x20 || byte == 0x7F) {
            json += Escaped(byte);
        } else if (byte < 0x80) {
            json += static_cast<char>(byte);
        } else if (const std::size_t length = Utf8Length(name, at)) {
            json.append(name.substr(at, length));
            at += length;
            continue;
        } else {
            json += Escaped(byte);
        }
        ++at;
    }
    return json + "\"";
}

std::string JsonListItem(std::size_t index, const WadEntry& entry, bool first)
{
    return std::string(first ? "[\n" : ",\n") + "  {\"index\": " + std::to_string(index) +
           ", \"offset\": " + std::to_string(entry.Offset) + ", \"size\": " + std::to_string(entry.Size) +
           ", \"name\": " + JsonString(ShownEntryName(EntryName(entry))) + "}";
}

}  // namespace mw::cli
