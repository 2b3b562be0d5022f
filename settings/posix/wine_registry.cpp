#include "settings/posix/wine_registry.h"

#include <charconv>

#include "core/text.h"
#include "settings/posix/wine_registry_strings.h"

namespace mw {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

// The lines of a file without their "\n" or "\r\n".
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line)
    {
        if (rest_.empty())
            return false;
        const auto end = rest_.find('\n');
        line = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

private:
    std::string_view rest_;
};

// The lower-cased key path of a section line "[path] time", or nothing.
std::optional<std::string> SectionKey(std::string_view line)
{
    line.remove_prefix(1);
    const std::optional<std::u16string> path = wine::TakeEscaped(line, ']');
    if (!path)
        return std::nullopt;
    return LowerAscii(wine::Utf8FromUtf16(*path));
}

enum class DataKind { Text, OtherType, Unreadable };

struct ValueData {
    DataKind kind = DataKind::Unreadable;
    std::string text;
};

ValueData TextData(std::optional<std::u16string> units)
{
    if (!units)
        return {};
    return {DataKind::Text, wine::Utf8FromUtf16(*units)};
}

// A hexadecimal byte list; a line ending in "\" goes on with the next line.
bool TakeHexList(std::string_view data, LineReader& lines, std::string& bytes)
{
    for (;;) {
        wine::TakeHexBytes(data, bytes);
        data = wine::SkipBlanks(data);
        if (data.empty())
            return true;
        if (data.front() != '\\' || !lines.Next(data))
            return false;
        data = wine::SkipBlanks(data);
    }
}

// "hex:" (binary) or "hex(N):" with the type number N in hexadecimal.
ValueData HexData(std::string_view data, LineReader& lines)
{
    data.remove_prefix(3);
    unsigned type = 3;  // REG_BINARY
    if (data.starts_with('(')) {
        const auto close = data.find(')');
        if (close == std::string_view::npos)
            return {};
        const std::string_view digits = data.substr(1, close - 1);
        const char* end = digits.data() + digits.size();
        const auto parsed = std::from_chars(digits.data(), end, type, 16);
        if (digits.empty() || parsed.ec != std::errc{} || parsed.ptr != end)
            return {};
        data.remove_prefix(close + 1);
    }
    if (!data.starts_with(':'))
        return {};
    data.remove_prefix(1);
    std::string bytes;
    if (!TakeHexList(data, lines, bytes))
        return {};
    constexpr unsigned kRegSz = 1, kRegExpandSz = 2;
    if (type != kRegSz && type != kRegExpandSz)
        return {DataKind::OtherType, {}};
    return {DataKind::Text, wine::Utf8FromUtf16(wine::Utf16FromLittleEndian(bytes))};
}

// The data after "=". Texts come quoted, as str:"..." or str(2):"..."
// (REG_EXPAND_SZ, taken unexpanded), or as UTF-16LE bytes in hex(1) and hex(2).
ValueData ReadData(std::string_view data, LineReader& lines)
{
    for (std::string_view prefix : {"\"", "str:\"", "str(2):\""}) {
        if (data.starts_with(prefix)) {
            data.remove_prefix(prefix.size());
            return TextData(wine::TakeEscaped(data, '"'));
        }
    }
    if (data.starts_with("hex"))
        return HexData(data, lines);
    if (data.starts_with("dword:") || data.starts_with("str(7):"))
        return {DataKind::OtherType, {}};
    return {};
}

// A value line: "Name"=data or @=data for the default value.
void ReadValueLine(std::string_view line, LineReader& lines, WineRegistryKey& key)
{
    std::string name;
    if (line.front() == '@') {
        line.remove_prefix(1);
    } else {
        line.remove_prefix(1);
        const std::optional<std::u16string> units = wine::TakeEscaped(line, '"');
        if (!units)
            return;
        name = wine::Utf8FromUtf16(*units);
    }
    line = wine::SkipBlanks(line);
    if (!line.starts_with('='))
        return;
    const ValueData data = ReadData(wine::SkipBlanks(line.substr(1)), lines);
    if (data.kind == DataKind::Text)
        key.SetText(name, data.text);
    else if (data.kind == DataKind::OtherType)
        key.Forget(name);
}

}  // namespace

std::optional<std::string> WineRegistryKey::Text(std::string_view valueName) const
{
    const auto found = texts_.find(LowerAscii(valueName));
    if (found == texts_.end())
        return std::nullopt;
    return found->second;
}

void WineRegistryKey::SetText(std::string_view valueName, std::string text)
{
    texts_[LowerAscii(valueName)] = std::move(text);
}

void WineRegistryKey::Forget(std::string_view valueName)
{
    texts_.erase(LowerAscii(valueName));
}

std::optional<WineRegistryKey> FindWineRegistryKey(std::string_view fileText, std::string_view keyPath)
{
    LineReader lines(fileText);
    std::string_view line;
    if (!lines.Next(line) || line != kHeader)
        return std::nullopt;

    while (keyPath.starts_with('\\'))
        keyPath.remove_prefix(1);
    const std::string wanted = LowerAscii(keyPath);

    std::optional<WineRegistryKey> found;
    bool inWantedKey = false;
    while (lines.Next(line)) {
        line = wine::SkipBlanks(line);
        if (line.empty())
            continue;
        if (line.front() == '[') {
            const std::optional<std::string> key = SectionKey(line);
            inWantedKey = key && *key == wanted;
            if (inWantedKey && !found)
                found.emplace();
        } else if ((line.front() == '"' || line.front() == '@') && inWantedKey) {
            ReadValueLine(line, lines, *found);
        }
        // Anything else: "#" options, ";" comments, values of other keys and
        // lines that cannot be read.
    }
    return found;
}

}  // namespace mw
