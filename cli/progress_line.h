// The one progress line of a terminal: what runs, how far in percent, bytes
// done of the total and the rate, fitted to the terminal's width.
#pragma once

#include <cstdint>
#include <string>

namespace mw::cli {

// "1.5 MiB": a byte count in binary units, one decimal above 1 KiB.
std::string ByteCount(std::int64_t bytes);

// label, percentage, done/total and (when bytesPerSecond >= 0) the rate,
// at most width columns wide: a long label is cut from its front.
std::string ProgressLine(const std::string& label, std::int64_t done, std::int64_t total,
                         double bytesPerSecond, std::size_t width);

// A step before its bytes are counted, in the same form: label and
// percentage ("Verifying cut.wad 0%"), at most width columns wide.
std::string StepLine(const std::string& label, int percent, std::size_t width);

// Text cut to at most width columns, keeping its end ("...nd").
std::string FitFromEnd(const std::string& text, std::size_t width);

}  // namespace mw::cli
