#include "cli/entry_listing.h"

#include <cstdio>

#include "cli/cli_output.h"
#include "core/entry_text.h"
#include "core/text.h"

namespace mw::cli {
namespace {

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
        } else if (const Utf8Character character = Utf8At(name, at); character.length != 0) {
            // A C1 control is written as its escape, which no terminal acts on.
            if (IsC1Control(character.code))
                json += Escaped(character.code);
            else
                json.append(name.substr(at, character.length));
            at += character.length;
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
