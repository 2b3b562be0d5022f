// The contents window over an archive of 100,000 entries: the time from
// reading its directory to the list shown, each keystroke of a filter
// typed into it (the list filtered and painted again), a pattern, a sort
// by name and the keystrokes again in that order. Median of five windows, on the off-screen platform.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QTreeView>

#include "core/wad.h"
#include "ops/archive_contents.h"
#include "ops/run_state.h"
#include "qt/contents_window.h"
#include "qt/dialogs/dialogs.h"
#include "qt/widgets/entry_table_model.h"

namespace {

constexpr int kEntries = 100'000;
constexpr int kRuns = 5;

// Folders as a game's archives have them: cars by team, tracks by part.
std::string EntryNameOf(int i)
{
    char name[96];
    if (i % 2 == 0)
        std::snprintf(name, sizeof name, "cars\\team%02d\\car%d\\file%06d.tex", i % 11, i % 3, i);
    else
        std::snprintf(name, sizeof name, "maps\\track%02d\\%s\\file%06d.gpc", i % 17, i % 3 ? "race" : "qualifying", i);
    return name;
}

std::string WriteArchive()
{
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    const std::string path = (base / ("mendwright-contents-bench-" + std::to_string(::getpid()) + ".wad")).string();
    mw::WadImage image;
    image.EntryCount = kEntries;
    std::int64_t offset = mw::DirectoryEnd(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        mw::WadEntry entry{};
        mw::SetEntryName(entry, EntryNameOf(i));
        entry.Offset = static_cast<std::int32_t>(offset);
        entry.Size = 16;
        offset += entry.Size;
        image.Entries.push_back(entry);
        image.Payloads.emplace_back(std::string(16, 'x'));
    }
    mw::RebuildWad(path, image, image.EntryCount);
    return path;
}

double Milliseconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    QApplication::processEvents();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string path = WriteArchive();
    const std::vector<QString> typed = {"f", "fi", "fil", "file", "file0", "file01", "file012"};

    std::vector<double> open, slowestKey, pattern, sort, cleared, slowestSortedKey;
    for (int run = 0; run < kRuns; ++run) {
        mw::RunState state;
        mw::ContentsWindow window(state, mw::PlatformDialogs());
        open.push_back(Milliseconds([&] { window.ShowContents(mw::ReadArchiveContents(path)); }));
        double slowest = 0;
        for (const QString& text : typed)
            slowest = std::max(slowest, Milliseconds([&] { window.FilterField()->setText(text); }));
        slowestKey.push_back(slowest);
        cleared.push_back(Milliseconds([&] { window.FilterField()->clear(); }));
        pattern.push_back(Milliseconds([&] { window.FilterField()->setText(QStringLiteral("*race*.gpc")); }));
        window.FilterField()->clear();
        sort.push_back(Milliseconds(
            [&] { window.EntryList()->sortByColumn(mw::EntryTableModel::kNameColumn, Qt::AscendingOrder); }));
        slowest = 0;
        for (const QString& text : typed)
            slowest = std::max(slowest, Milliseconds([&] { window.FilterField()->setText(text); }));
        slowestSortedKey.push_back(slowest);
    }
    std::filesystem::remove(path);

    std::printf("Contents window, %d entries, median of %d windows:\n", kEntries, kRuns);
    std::printf("  open (directory read, list and folder tree shown)  %7.1f ms\n", Median(open));
    std::printf("  slowest keystroke of \"file012\" typed              %7.1f ms\n", Median(slowestKey));
    std::printf("  filter cleared (every entry shown again)           %7.1f ms\n", Median(cleared));
    std::printf("  pattern \"*race*.gpc\"                               %7.1f ms\n", Median(pattern));
    std::printf("  sort by name                                        %7.1f ms\n", Median(sort));
    std::printf("  slowest keystroke, sorted by name                  %7.1f ms\n", Median(slowestSortedKey));
    return 0;
}
