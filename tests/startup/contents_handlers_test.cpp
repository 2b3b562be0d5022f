#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "startup/contents_handlers.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::ContiguousArchive;
using test::TempDir;

const std::string kStart = ContiguousArchive({{"a.txt", "abc"}, {"cars\\b.bin", "BB"}});

// A contents window without a toolkit: it shows what the handlers give it,
// answers its dialogs as the test says and records what they asked.
class StandInWindow : public ContentsView, public ContentsDialogs {
public:
    ArchiveContents contents;
    std::vector<std::int32_t> selected;
    std::string folder;
    std::string status = "the edit's status";
    std::vector<std::string> files;  // the open dialog's answer
    std::optional<std::string> typed;
    bool yes = false;
    std::vector<std::string> asked;  // each dialog's kind, title and text
    int reads = 0;                   // contents shown again
    test::RecordingFrontend frontend;

    const ArchiveContents& Contents() const override { return contents; }
    std::vector<std::int32_t> SelectedEntries() const override { return selected; }
    std::string CurrentFolder() const override { return folder; }
    std::string FilterText() const override { return ""; }
    std::string StatusText() const override { return status; }
    void SetStatusText(const std::string& text) override { status = text; }
    bool StatusAtRest() const override { return false; }
    void ShowContents(ArchiveContents shown) override { contents = std::move(shown); }
    // As a window does: the folder chosen again, the count of entries shown.
    void ShowContentsAgain(ArchiveContents shown, const std::string& again) override
    {
        contents = std::move(shown);
        folder = again;
        status = std::to_string(contents.entries.size()) + " entries";
        ++reads;
    }
    void SelectEntryAlone(std::size_t) override {}
    FoundEntries& EmptyFinds() override { return found_; }
    void ShowFinds(const std::string&) override {}
    std::optional<std::string> DragFolder() override { return std::nullopt; }
    bool RunWithErrorsShown(const std::function<void(Frontend&)>& work) override { return Run(work); }
    bool RunWithInputHeld(const std::function<void(Frontend&)>& work) override { return Run(work); }
    void RunEditOffThread(const std::function<void(Frontend&)>& edit) override { Run(edit); }

    std::vector<std::string> ChooseFiles(const std::string& title, bool several) override
    {
        asked.push_back((several ? "files: " : "file: ") + title);
        return files;
    }
    std::optional<std::string> ChooseFolder(const std::string& title, const std::string&) override
    {
        asked.push_back("folder: " + title);
        return std::nullopt;
    }
    std::optional<std::string> AskText(const std::string& title, const std::string& label,
                                       const std::string& text) override
    {
        asked.push_back("text: " + title + " | " + label + " | " + text);
        return typed;
    }
    bool AskQuestion(const std::string& question) override
    {
        asked.push_back("question: " + question);
        return yes;
    }

private:
    bool Run(const std::function<void(Frontend&)>& work)
    {
        try {
            work(frontend);
            return true;
        }
        catch (const std::exception&) {
            return false;
        }
    }
    FoundEntryList found_;
};

struct HandlerCase {
    const char* what;
    void (ContentsHandlers::*handler)();
    std::vector<std::int32_t> selected;
    std::string folder;
    std::vector<std::string> files;  // names written in the test's folder, chosen in the open dialog
    std::optional<std::string> typed;
    bool yes;
    std::vector<std::string> asked;
    std::string archive;  // the archive's bytes afterwards
};

// Each action asks what it needs, writes the archive only when the user
// asked for a change, and reads it again after an edit with the folder
// and the edit's status kept.
TEST(ContentsHandlers, EachActionAsksItsDialogsAndEditsOnlyWhenAsked)
{
    const std::string bFile = "file: Replace cars\\b.bin with";
    const HandlerCase cases[] = {
        {"extract with nothing selected asks nothing", &ContentsHandlers::ExtractSelection, {}, "", {}, {}, false,
         {}, kStart},
        {"one file added goes under the name typed, the folder shown first", &ContentsHandlers::AddFiles, {}, "cars",
         {"x.txt"}, "maps\\y.txt", false,
         {"files: Add files", "text: Add a file | Entry name: | cars\\x.txt"},
         ContiguousArchive({{"a.txt", "abc"}, {"cars\\b.bin", "BB"}, {"maps\\y.txt", "x.txt"}})},
        {"several files go below the folder shown, no name asked", &ContentsHandlers::AddFiles, {}, "cars",
         {"d.txt", "e.txt"}, std::nullopt, false, {"files: Add files"},
         ContiguousArchive({{"a.txt", "abc"}, {"cars\\b.bin", "BB"}, {"cars\\d.txt", "d.txt"}, {"cars\\e.txt", "e.txt"}})},
        {"a cancelled name adds nothing", &ContentsHandlers::AddFiles, {}, "", {"x.txt"}, std::nullopt, false,
         {"files: Add files", "text: Add a file | Entry name: | x.txt"}, kStart},
        {"replace needs one entry", &ContentsHandlers::ReplaceSelected, {0, 1}, "", {"x.txt"}, {}, false, {}, kStart},
        {"replace takes the chosen file's bytes", &ContentsHandlers::ReplaceSelected, {1}, "", {"x.txt"}, {}, false,
         {bFile}, ContiguousArchive({{"a.txt", "abc"}, {"cars\\b.bin", "x.txt"}})},
        {"rename to the same name writes nothing", &ContentsHandlers::RenameSelected, {0}, "", {}, "a.txt", false,
         {"text: Rename entry | New name: | a.txt"}, kStart},
        {"rename", &ContentsHandlers::RenameSelected, {0}, "", {}, "c.txt", false,
         {"text: Rename entry | New name: | a.txt"}, ContiguousArchive({{"c.txt", "abc"}, {"cars\\b.bin", "BB"}})},
        {"remove answered no removes nothing", &ContentsHandlers::RemoveSelection, {0, 1}, "", {}, {}, false,
         {"question: Remove 2 entries from t.wad?"}, kStart},
        {"remove answered yes", &ContentsHandlers::RemoveSelection, {0}, "", {}, {}, true,
         {"question: Remove 1 entry from t.wad?"}, ContiguousArchive({{"cars\\b.bin", "BB"}})},
    };
    for (const HandlerCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TempDir dir;
        const std::string archive = dir.Write("t.wad", kStart);
        RunState state;
        state.UndoFolder.clear();
        state.ModsFolder.clear();
        StandInWindow window;
        window.contents = ReadArchiveContents(archive);
        window.selected = c.selected;
        window.folder = c.folder;
        for (const std::string& name : c.files)
            window.files.push_back(dir.Write(name, name));
        window.typed = c.typed;
        window.yes = c.yes;
        ContentsHandlers handlers(state, window, window);

        (handlers.*c.handler)();

        EXPECT_EQ(window.asked, c.asked);
        EXPECT_EQ(test::ReadBytes(archive), c.archive);
        const bool edited = c.archive != kStart;
        EXPECT_EQ(window.reads, edited ? 1 : 0);
        EXPECT_EQ(window.folder, c.folder);
        EXPECT_EQ(window.status, "the edit's status");
        EXPECT_EQ(window.contents.entries.size(), ReadArchiveContents(archive).entries.size());
    }
}

}  // namespace
}  // namespace mw
