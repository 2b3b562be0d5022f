#include "cli/console_frontend.h"

#include <cstdio>

#include "cli/cli_output.h"
#include "cli/progress_line.h"
#include "core/console.h"
#include "core/entry_text.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "ops/messages.h"

namespace mw::cli {
namespace {

// Redraws of a line whose figures have not changed come at most this often:
// a terminal is slower than the work.
constexpr auto kRedrawInterval = std::chrono::milliseconds(200);

const char* ActionWord(Frontend::FileAction action)
{
    switch (action) {
    case Frontend::FileAction::Store: return "store";
    case Frontend::FileAction::Extract: return "extract";
    case Frontend::FileAction::Replace: return "replace";
    case Frontend::FileAction::Append: return "append";
    }
    return "";
}

}  // namespace

ConsoleFrontend::ConsoleFrontend(std::string source, std::string archive, std::string chosenName,
                                 Verbosity verbosity, bool preview, bool replacing)
    : source_(std::move(source)),
      archive_(std::move(archive)),
      chosenName_(std::move(chosenName)),
      verbosity_(verbosity),
      preview_(preview),
      replacing_(replacing),
      progressLine_(verbosity == Verbosity::Normal && !preview && StandardErrorIsTerminal())
{
}

ConsoleFrontend::~ConsoleFrontend()
{
    EndProgressLine();
}

void ConsoleFrontend::Draw(const std::string& line)
{
    lastDrawn_ = Clock::now();
    progressShown_ = true;
    std::fprintf(stderr, "\r%s\x1b[K", line.c_str());
    std::fflush(stderr);
}

void ConsoleFrontend::ShowProgress(const Progress& progress)
{
    // Told once, on a line of its own whatever the terminal, unless asked
    // for errors only; the interrupt ends the wait with the process.
    if (progress.phase == ProgressPhase::WaitingForArchive) {
        if (verbosity_ == Verbosity::Quiet)
            return;
        EndProgressLine();
        std::fprintf(stderr, "%s (Ctrl+C stops)\n", PrintableText(ProgressLabel(progress)).c_str());
        std::fflush(stderr);
        return;
    }
    const std::optional<std::string> shown = StatusViewOf(progress).text;
    if (!shown)
        return;
    const std::string& text = *shown;
    if (verbosity_ == Verbosity::Verbose && text != lastStatus_)
        std::fprintf(stderr, "%s\n", PrintableText(text).c_str());
    lastStatus_ = text;
    // "Updating disk.wad : 50%" shows as "Updating disk.wad" beside the figures.
    lastLabel_ = ProgressLabel(progress);
    statusTime_ = Clock::now();
    // Only work under way with its percentage; the closing text goes to
    // stdout. Once its bytes are counted, the byte line shows that work.
    if (!progressLine_ || !HasPercentage(progress.phase) || (total_ >= 0 && lastLabel_ == bytesLabel_))
        return;
    if (progressShown_ && statusTime_ - lastDrawn_ < std::chrono::milliseconds(50))
        return;
    Draw(StepLine(PrintableText(lastLabel_), progress.percent, StandardErrorColumns()));
}

void ConsoleFrontend::ShowBytes(std::int64_t done, std::int64_t total)
{
    if (!progressLine_)
        return;
    const auto now = Clock::now();
    if (total != total_ || done < done_) {
        // A new copy: it began when the last status text was shown.
        total_ = total;
        bytesLabel_ = lastLabel_;
        bytesStarted_ = statusTime_;
        drawnPercent_ = -1;
    }
    done_ = done;
    const int percent = BytePercent(done, total);
    // Every new percentage and the final state are drawn; otherwise only
    // the rate would change.
    if (percent == drawnPercent_ && done != total && now - lastDrawn_ < kRedrawInterval)
        return;
    drawnPercent_ = percent;
    const double seconds = std::chrono::duration<double>(now - bytesStarted_).count();
    const double rate = seconds > 0.05 ? static_cast<double>(done) / seconds : -1;
    Draw(ProgressLine(PrintableText(bytesLabel_), done, total, rate, StandardErrorColumns()));
    if (done == total)
        EndProgressLine();  // its final state stays on the terminal
}

void ConsoleFrontend::EndProgressLine()
{
    if (!progressShown_)
        return;
    std::fputc('\n', stderr);
    std::fflush(stderr);
    progressShown_ = false;
}

void ConsoleFrontend::FileDone(FileAction action, std::string_view entry, const std::string& path,
                               std::string_view replacedMod)
{
    if (!preview_ && verbosity_ != Verbosity::Verbose)
        return;
    const std::string name = PrintableText(ShownEntryName(entry));
    if (preview_) {
        // A fourth field names the installed mod whose entry the file replaces.
        const std::string mod = replacedMod.empty() ? "" : '\t' + PrintableText(replacedMod);
        WriteStandardOutput(std::string(ActionWord(action)) + '\t' + name + '\t' + PrintableText(path) + mod + '\n');
        return;
    }
    const bool outward = action == FileAction::Extract;
    std::fprintf(stderr, "%s %s %s %s\n", ActionWord(action), name.c_str(), outward ? "->" : "<-",
                 PrintableText(path).c_str());
}

std::optional<std::string> ConsoleFrontend::AskSaveLocation(const SaveRequest& request)
{
    // The window's dialog asks before it replaces a file; here --force is the yes.
    if (request.asksBeforeReplacing && !replacing_ && RegularFileExists(chosenName_)) {
        ShowRefusal({RefusalKind::ArchiveExists, chosenName_});
        return std::nullopt;
    }
    return chosenName_;
}

void ConsoleFrontend::ShowRefusal(const Refusal& refusal)
{
    EndProgressLine();
    refused_ = true;
    PrintError(RefusalText(refusal), PathConcerned(refusal.kind));
}

std::string ConsoleFrontend::PathConcerned(RefusalKind kind) const
{
    switch (FieldOf(kind)) {
    case InputField::Source: return source_;
    case InputField::Archive: return archive_;
    case InputField::None: break;
    }
    return {};
}

}  // namespace mw::cli
