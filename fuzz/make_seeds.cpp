// Writes the fuzzers' seed corpus into the folder given as the argument:
// archives written by RebuildWad, registry files in the form the Wine prefix
// lookup reads, times of day and separators, settings texts as the
// settings store writes them, undo records and mods ledgers as real updates
// write them, and the choices of the fuzzers that decode theirs. One
// subfolder per kind of input.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/elapsed_time.h"
#include "core/settings_store.h"
#include "core/wad.h"
#include "fuzz/record_forms.h"
#include "ops/mods/mod_scope.h"
#include "ops/mods/mod_store.h"
#include "ops/operations.h"
#include "ops/undo_store.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

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

// Two installs into an archive of a GP4 folder, the second over the
// first's entry: undo records of both, in both forms the store reads, and
// the ledger as a whole file (a first byte of 1) and as a body for the
// fuzzer to seal (0).
void WriteOwnFiles(const std::string& undoFolder, const std::string& ledgerFolder)
{
    const mw::test::TempDir dir;
    dir.Write("gp4/GP4.exe", "");
    const std::string archive =
        dir.Write("gp4/cars.wad", mw::test::ContiguousArchive({{"a.tex", "found a"}, {"cars\\b.tex", "found b"}}));
    mw::RunState state;
    state.UndoFolder = dir / "undo";
    state.ModsFolder = dir / "mods";
    dir.Write("one/a.tex", "first");
    dir.Write("two/a.tex", "second, longer");
    dir.Write("two/n.bin", "appended");
    for (const char* source : {"one", "two"}) {
        mw::test::RecordingFrontend ui;
        if (!mw::UpdateWad(state, ui, {dir / source, archive}))
            std::exit(1);
    }
    const mw::UndoStore store(state.UndoFolder, state.UndoCap);
    int n = 0;
    for (const mw::UndoRecordFile& record : store.RecordsOf(mw::CanonicalArchivePath(archive))) {
        const std::string bytes = mw::test::ReadBytes(record.path);
        WriteFile(undoFolder + "/record" + std::to_string(n), bytes);
        WriteFile(undoFolder + "/unchecked" + std::to_string(n++), mw::fuzz::WithoutChecksums(bytes));
    }
    const std::string scope = mw::ModScopeOf(mw::CanonicalArchivePath(archive));
    const std::string ledger = mw::LedgerBytes(mw::ModStore(state.ModsFolder, scope).Read());
    WriteFile(ledgerFolder + "/whole", "\x01" + ledger);
    WriteFile(ledgerFolder + "/body", std::string(1, '\0') + ledger.substr(0, ledger.size() - 8));
}

std::string Bytes(std::initializer_list<int> bytes)
{
    std::string text;
    for (const int byte : bytes)
        text += static_cast<char>(byte);
    return text;
}

// Inputs of the fuzzers that read theirs as choices, byte by byte.
void WriteChoices(const std::string& root)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> choices = {
        // Records as written: sound, in the unchecked form, a byte changed,
        // cut short.
        {"undo_damaged", {Bytes({0, 0}), Bytes({3, 1}), Bytes({1, 0, 0, 0x30, 0, 0x55}), Bytes({2, 0, 1, 0x40, 0})}},
        // Caps, then a record named now, an odd name, a link to a folder.
        {"undo_store", {Bytes({0}), Bytes({0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                        Bytes({0xc0, 0, 0, 2, 5}) + "notes" + Bytes({1, 3}) + "abc", Bytes({0x81, 2, 3, 1, 2, 0xff, 1})}},
        // No ledgers; a pending ledger of the archive, empty, with a link
        // where the ledger is written; a link where a kept content is.
        {"mods_store", {Bytes({0, 0}), Bytes({2, 20}) + std::string(20, '\0') + Bytes({0, 0, 2, 1, 1, 0}),
                        Bytes({0, 0, 2, 2, 0, 0})}},
        // Two installs then every change; installs only.
        // The cap first: the default, then ones that make mods permanent.
        {"mods_invariant", {Bytes({0, 1, 2, 3, 0, 1, 0, 2, 1, 0, 1, 2, 3, 1, 0}), Bytes({0}) + std::string(24, '\x01'),
                            Bytes({0}) + std::string(40, '\x03'), Bytes({1, 1, 2, 3, 0, 1, 0, 2, 1, 0, 1, 2, 3, 1, 0}),
                            Bytes({2}) + std::string(40, '\x01'), Bytes({3}) + std::string(40, '\x03')}},
        // Names, then pairs of paths.
        {"windows_names", {Bytes({0, 0xff}) + "com1.txt", Bytes({0, 0}) + "LPT\xc2\xb9 .log", Bytes({0, 1}) + "aux",
                           Bytes({0, 0}) + "name. ", Bytes({1, 0x55}) + R"(\\?\C:\GP4)" + Bytes({0}) + "c:/gp4/cars.wad",
                           Bytes({1, 0xaa}) + R"(\\?\UNC\server\share)" + Bytes({0}) + R"(\\SERVER\Share\x)",
                           Bytes({1, 0x0f}) + "C:\\\xc3\x89quipe" + Bytes({0}) + "C:\\\xc3\xa9QUIPE\\\xd0\x9c"}},
    };
    for (const auto& [target, inputs] : choices) {
        const std::string folder = MakeFolder(root, target);
        int n = 0;
        for (const std::string& input : inputs)
            WriteFile(folder + "/choice" + std::to_string(n++), input);
    }
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
    WriteOwnFiles(MakeFolder(root, "undo_record"), MakeFolder(root, "mods_ledger"));
    WriteChoices(root);
    return 0;
}
