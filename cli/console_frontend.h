// The operations' frontend on a terminal: the fields and the save dialog's
// answer come from the command line, status texts and file lines go to
// stderr, a preview's lines to stdout, user errors are remembered for the
// exit code.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "cli/cli_arguments.h"
#include "ops/frontend.h"

namespace mw::cli {

class ConsoleFrontend : public Frontend {
public:
    // source and archive are the texts the command was given, which its
    // refusals name; chosenName is what the save dialog answers (the
    // archive of create, the output folder of extract). A preview prints
    // each file's action on stdout. A save location that asks before it
    // replaces a file is refused when that file exists, unless replacing.
    ConsoleFrontend(std::string source, std::string archive, std::string chosenName, Verbosity verbosity,
                    bool preview = false, bool replacing = false);
    ~ConsoleFrontend() override;

    void ShowProgress(const Progress& progress) override;
    void RepaintWindow() override {}

    void ShowRefusal(const Refusal& refusal) override;

    std::optional<std::string> AskSaveLocation(const SaveRequest& request) override;

    void FileDone(FileAction action, std::string_view entry, const std::string& path,
                  std::string_view replacedMod) override;
    void ShowBytes(std::int64_t done, std::int64_t total) override;
    bool ShowsByteTotal() const override { return progressLine_; }

    bool refused() const { return refused_; }
    const std::string& lastStatus() const { return lastStatus_; }
    // Leaves the progress line, if one is shown, in its last state and ends it.
    void EndProgressLine();

private:
    using Clock = std::chrono::steady_clock;
    void Draw(const std::string& line);
    // The source or archive text that a refusal is about, or "".
    std::string PathConcerned(RefusalKind kind) const;

    std::string source_;
    std::string archive_;
    std::string chosenName_;
    Verbosity verbosity_;
    bool preview_;
    bool replacing_;
    bool progressLine_;  // a terminal without -v or -q: one line redrawn in place
    bool progressShown_ = false;
    Clock::time_point lastDrawn_{};
    bool refused_ = false;
    std::string lastStatus_;
    std::string lastLabel_;  // the last step's text without its percentage
    Clock::time_point statusTime_{};

    // The byte count of the copy under way: its work's label, its total,
    // when it started (for the rate) and the percentage last drawn.
    std::string bytesLabel_;
    std::int64_t total_ = -1;
    std::int64_t done_ = 0;
    Clock::time_point bytesStarted_{};
    int drawnPercent_ = -1;
};

}  // namespace mw::cli
