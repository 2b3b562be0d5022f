// The operations' frontend on a terminal: the fields and the save dialog's
// answer come from the command line, status texts go to stderr, user errors
// are remembered for the exit code.
#pragma once

#include <chrono>
#include <string>

#include "cli/cli_arguments.h"
#include "ops/frontend.h"

namespace mw::cli {

class ConsoleFrontend : public Frontend {
public:
    // chosenName is what the save dialog answers (the archive of create,
    // the output folder of extract).
    ConsoleFrontend(std::string source, std::string archive, std::string chosenName, Verbosity verbosity);
    ~ConsoleFrontend() override;

    std::string SourceText() override { return source_; }
    void SetSourceText(const std::string& text) override { source_ = text; }
    std::string ArchiveText() override { return archive_; }
    void SetArchiveText(const std::string& text) override { archive_ = text; }

    void SetStatusText(const std::string& text) override;
    void SetPosition(int) override {}
    void RepaintProgress() override {}
    void RepaintWindow() override {}

    void ShowUserError(const std::string& message) override;

    void SetSaveFileName(const std::string& name) override { saveName_ = name; }
    void SetSaveFilter(const std::string&) override {}
    bool RunSaveDialog() override;
    std::string SaveFileName() override { return saveName_; }

    bool refused() const { return refused_; }
    const std::string& lastStatus() const { return lastStatus_; }
    // Clears the one-line progress display, if one is shown.
    void EndProgressLine();

private:
    std::string source_;
    std::string archive_;
    std::string chosenName_;
    std::string saveName_;
    Verbosity verbosity_;
    bool progressLine_;  // a terminal without -v or -q: one line redrawn in place
    bool progressShown_ = false;
    std::chrono::steady_clock::time_point lastDrawn_{};
    bool refused_ = false;
    std::string lastStatus_;
};

}  // namespace mw::cli
