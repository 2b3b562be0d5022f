// mendwright-cli: the operations of the main window without windows, for
// scripts and terminals.
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/console_frontend.h"
#include "cli/installation_lookup.h"
#include "core/elapsed_time.h"
#include "core/errors.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/wad.h"
#include "ops/messages.h"
#include "ops/operations.h"

namespace mw::cli {
namespace {

constexpr int kExitDone = 0;
constexpr int kExitFileError = 1;
constexpr int kExitRefused = 2;
constexpr int kExitUsage = 64;

void ListArchive(const std::string& archiveName)
{
    File archive(archiveName, OpenMode::ReadOnly);
    std::vector<WadEntry> entries;
    ReadWadDirectory(archive, entries);
    archive.Close();
    std::string out;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        out += std::to_string(i) + '\t' + std::to_string(entries[i].Offset) + '\t' +
               std::to_string(entries[i].Size) + '\t' + PrintableText(EntryName(entries[i])) + '\n';
        if (out.size() > 1 << 16) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int RunOperation(const Invocation& invocation)
{
    const auto& operands = invocation.operands;
    RunState state;
    state.DecimalSeparator = UserDecimalSeparator();
    std::string source, archive, chosen;
    switch (invocation.command) {
    case Command::Create: source = operands[0]; chosen = operands[1]; break;
    case Command::Extract: archive = operands[0]; chosen = operands[1]; break;
    case Command::Update: source = operands[0]; archive = operands[1]; break;
    case Command::UpdateTracks:
        source = operands[0];
        state.Installation = invocation.gp4Folder ? std::make_unique<FixedGp4Installation>(*invocation.gp4Folder)
                                                  : LookupInstallation();
        break;
    default: break;
    }
    ConsoleFrontend frontend(source, archive, chosen, invocation.verbosity);
    switch (invocation.command) {
    case Command::Create: CreateWad(state, frontend); break;
    case Command::Extract: ExtractWad(state, frontend); break;
    case Command::Update: UpdateWad(state, frontend); break;
    case Command::UpdateTracks: UpdateTrackWads(state, frontend); break;
    default: break;
    }
    frontend.EndProgressLine();
    if (frontend.refused())
        return kExitRefused;
    if (invocation.verbosity != Verbosity::Quiet)
        std::printf("%s\n", frontend.lastStatus().c_str());
    return kExitDone;
}

int Run(const Invocation& invocation)
{
    switch (invocation.command) {
    case Command::Help: std::fputs(kUsage, stdout); return kExitDone;
    case Command::Version: std::printf("mendwright-cli %s\n", "3.1"); return kExitDone;
    case Command::List: ListArchive(invocation.operands[0]); return kExitDone;
    default: return RunOperation(invocation);
    }
}

}  // namespace
}  // namespace mw::cli

int main(int argc, char** argv)
{
    using namespace mw::cli;
    const std::optional<Invocation> invocation = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!invocation) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    if (const std::string problem = UsageProblem(*invocation); !problem.empty()) {
        std::fprintf(stderr, "mendwright-cli: %s\n", problem.c_str());
        return kExitUsage;
    }
    std::string error;
    try {
        return Run(*invocation);
    } catch (const mw::AppError& failure) {
        error = failure.what();
    } catch (const std::bad_alloc&) {
        error = mw::OutOfMemoryError().what();
    }
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", mw::WithFullStop(error).c_str());
    return kExitFileError;
}
