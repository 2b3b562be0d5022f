// Writes the fuzzers' seed corpus into the folder given as the argument:
// archives written by RebuildWad, registry files in the form the Wine prefix
// lookup reads, times of day and separators, and settings texts as the
// settings store writes them. One subfolder per kind of input.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/elapsed_time.h"
#include "core/settings_store.h"
#include "core/wad.h"

namespace {

void WriteFile(const std::string& name, const std::string& bytes)
{
    FILE* file = std::fopen(name.c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
        std::perror(name.c_str());
        std::exit(1);
    }
}

std::string MakeFolder(const std::string& parent, const std::string& name)
{
    const std::string folder = parent + "/" + name;
    ::mkdir(folder.c_str(), 0777);
    return folder;
}

struct Item {
    std::string name;
    std::string bytes;
};

mw::WadImage Image(const std::vector<Item>& items)
{
    mw::WadImage image;
    image.EntryCount = static_cast<std::int32_t>(items.size());
    std::int64_t offset = mw::DirectoryEnd(image.EntryCount);
    for (const Item& item : items) {
        mw::WadEntry entry {};
        mw::SetEntryName(entry, item.name);
        entry.Offset = static_cast<std::int32_t>(offset);
        entry.Size = static_cast<std::int32_t>(item.bytes.size());
        offset += entry.Size;
        image.Entries.push_back(entry);
        image.Payloads.emplace_back(item.bytes);
    }
    return image;
}

void WriteArchives(const std::string& folder)
{
    mw::RebuildWad(folder + "/empty.wad", Image({}), 0);
    mw::RebuildWad(folder + "/example.wad", Image({{"a.txt", "abc"}, {"sub\\b.bin", ""}}), 2);
    mw::RebuildWad(folder + "/long_name.wad", Image({{std::string(128, 'n'), "x"}}), 1);
    mw::RebuildWad(folder + "/hostile_names.wad",
                   Image({{"..\\evil", "e"}, {"C:\\x", ""}, {"\\abs", "a"}, {"a\\.\\b", "b"}}), 4);

    mw::WadImage shared = Image({{"cars\\a.tex", "tex"}, {"readme.txt", "hi"}});
    shared.Entries[1].Offset = shared.Entries[0].Offset;  // two entries over the same bytes
    mw::RebuildWad(folder + "/overlapping.wad", shared, 2);

    mw::WadImage gap = Image({{"maps\\x\\race\\setup.dat", "race"}, {"far.bin", "far"}});
    gap.Entries[1].Offset += 64;  // a gap of zeros before the last payload
    mw::RebuildWad(folder + "/gap.wad", gap, 2);

    mw::RebuildWad(folder + "/truncated.wad", Image({{"a.txt", "abcdef"}, {"b.txt", "ghijkl"}}), 2);
    if (::truncate((folder + "/truncated.wad").c_str(), 4 + 2 * 136 + 3) != 0)
        std::exit(1);
}

void WriteRegistryFiles(const std::string& folder)
{
    const std::string key = "Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir";
    const std::string section = "[Software\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir] 1700000000\n";
    const std::string header = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n";
    WriteFile(folder + "/quoted", key + "\n" + header + section + "\"Directory\"=\"C:\\\\GP4\"\n");
    WriteFile(folder + "/expand_and_default",
              key + "\n" + header + section + "@=\"default\"\n\"Directory\"=str(2):\"%ProgramFiles%\\\\GP4\"\r\n");
    WriteFile(folder + "/hex_lines", key + "\n" + header + section +
                                         "\"Directory\"=hex(1):43,00,3a,00,5c,00,\\\n  47,00,50,00,34,00,00,00\n"
                                         "\"Version\"=dword:00000001\n\"Bin\"=hex:01,02\n");
    WriteFile(folder + "/escapes", key + "\n" + header + section +
                                       "\"Directory\"=\"C:\\\\Jeux\\\\\\xe9t\\xe9\\101\\n\\\"q\\\"\"\n");
    WriteFile(folder + "/wow64", "Software\\Wow6432Node\\Infogrames\n" + header +
                                     "[Software\\\\Wow6432Node\\\\Infogrames] 1\n\"Directory\"=\"D:\\\\\"\n");
}

void WriteTimes(const std::string& folder)
{
    struct Times {
        double start, end;
        const char* separator;
    };
    const double now = mw::TimeOfDayNow();
    const std::vector<Times> times = {
        {now, now + 2.345 / 86400, "."}, {0.25, 0.75, ","}, {0.9999, 0.0001, "."}, {0.5, 0.5, "."},
        {1e-300, 1e300, "\xc2\xa0"},    {0.0, 0.0000005787037, ","},
    };
    int n = 0;
    for (const Times& t : times) {
        std::string bytes(16, '\0');
        std::memcpy(bytes.data(), &t.start, 8);
        std::memcpy(bytes.data() + 8, &t.end, 8);
        WriteFile(folder + "/times" + std::to_string(n++), bytes + t.separator);
    }
}

void WriteSettingTexts(const std::string& folder)
{
    mw::InMemorySettings settings;
    settings.WriteSettingFlag(mw::kContinueValue, true);
    settings.WriteSettingFlag(mw::kFileNameValue, false);
    settings.WriteSetting(mw::kWadNameValue, "$7FFFFFFF");
    settings.WriteSetting(mw::kExtractPathValue, "  -0x80000000");
    int n = 0;
    for (const auto& [name, text] : settings.values())
        WriteFile(folder + "/text" + std::to_string(n++), text);
    WriteFile(folder + "/text" + std::to_string(n++), "-2147483648");
    WriteFile(folder + "/text" + std::to_string(n++), "\tx1F");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 64;
    }
    const std::string root = argv[1];
    ::mkdir(root.c_str(), 0777);
    WriteArchives(MakeFolder(root, "wad"));
    WriteRegistryFiles(MakeFolder(root, "wine_registry"));
    WriteTimes(MakeFolder(root, "elapsed_time"));
    WriteSettingTexts(MakeFolder(root, "setting_integer"));
    return 0;
}
