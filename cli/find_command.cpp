#include "cli/find_command.h"

#include <cstdio>

#include "cli/cli_output.h"
#include "cli/exit_codes.h"
#include "cli/installation_lookup.h"
#include "core/console.h"
#include "core/entry_text.h"
#include "core/error_causes.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "ops/find_entries.h"
#include "ops/messages.h"

namespace mw::cli {
namespace {

constexpr const char* kNoFolderPrefix = "Sorry but this GP4 folder does not exist: ";

class PrintedEntries final : public FoundEntries {
public:
    void Found(const std::string& archive, const WadEntry& entry) override
    {
        ++found_;
        out_ += PrintableText(archive) + '\t' + PrintableText(ShownEntryName(EntryName(entry))) + '\t' + std::to_string(entry.Size) +
                '\n';
        if (out_.size() > 1 << 16)
            Flush();
    }
    void Failed(const std::string& archive, const AppError& error) override
    {
        Report(error.path().empty() ? archive : error.path(), error);
    }
    void FolderFailed(const AppError& error) override { Report(error.path(), error); }
    void Flush()
    {
        WriteStandardOutput(out_);
        out_.clear();
        FlushStandardOutput();
    }
    bool failed() const { return failed_; }
    bool foundAny() const { return found_ > 0; }

private:
    void Report(const std::string& path, const AppError& error)
    {
        // What was found before it comes first, as it was found.
        Flush();
        PrintError(WithFullStop(error.what()), path, PlainCause(error));
        failed_ = true;
    }

    std::string out_;
    std::size_t found_ = 0;
    bool failed_ = false;
};

}  // namespace

int FindInInstallation(const Invocation& invocation)
{
    std::string folder;
    if (invocation.gp4Folder)
        folder = *invocation.gp4Folder;
    else
        LookupInstallation()->FindInstallationFolder(folder);
    if (folder.empty()) {
        PrintError(kNoInstallationMessage);
        PrintError(kGp4FolderHint);
        return kExitRefused;
    }
    if (!FolderExists(folder)) {
        PrintError(kNoFolderPrefix + PrintableText(folder));
        return kExitRefused;
    }
    PrintedEntries printed;
    FindEntries(folder, invocation.operands[0], printed);
    printed.Flush();
    // Nothing found is an answer, not a failure: said on stderr, as the
    // other commands say they have nothing to list, with the exit code 0.
    if (!printed.foundAny() && invocation.verbosity != Verbosity::Quiet)
        PrintError("no entry matches " + PrintableText(invocation.operands[0]) + " (" + kEntrySearchRule + ")");
    return printed.failed() ? kExitFileError : kExitDone;
}

}  // namespace mw::cli
