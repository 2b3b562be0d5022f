#include "cli/console_frontend.h"

#include <unistd.h>

#include <cstdio>

namespace mw::cli {

ConsoleFrontend::ConsoleFrontend(std::string source, std::string archive, std::string chosenName,
                                 Verbosity verbosity)
    : source_(std::move(source)),
      archive_(std::move(archive)),
      chosenName_(std::move(chosenName)),
      verbosity_(verbosity),
      progressLine_(verbosity == Verbosity::Normal && ::isatty(STDERR_FILENO) == 1)
{
}

ConsoleFrontend::~ConsoleFrontend()
{
    EndProgressLine();
}

void ConsoleFrontend::SetStatusText(const std::string& text)
{
    lastStatus_ = text;
    if (verbosity_ == Verbosity::Verbose) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return;
    }
    if (!progressLine_)
        return;
    // Redrawn at most 20 times a second: a terminal is slower than the work.
    const auto now = std::chrono::steady_clock::now();
    if (progressShown_ && now - lastDrawn_ < std::chrono::milliseconds(50))
        return;
    lastDrawn_ = now;
    progressShown_ = true;
    std::fprintf(stderr, "\r%s\x1b[K", text.c_str());
    std::fflush(stderr);
}

void ConsoleFrontend::EndProgressLine()
{
    if (!progressShown_)
        return;
    std::fprintf(stderr, "\r\x1b[K");
    std::fflush(stderr);
    progressShown_ = false;
}

void ConsoleFrontend::ShowUserError(const std::string& message)
{
    EndProgressLine();
    refused_ = true;
    std::fprintf(stderr, "%s\n", message.c_str());
}

bool ConsoleFrontend::RunSaveDialog()
{
    saveName_ = chosenName_;
    return true;
}

}  // namespace mw::cli
