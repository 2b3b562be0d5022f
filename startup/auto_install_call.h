// What one call of an update package asks for, read from its arguments:
//   argument 1  the mode word; only "\1wad" does anything
//   argument 2  the archive's path below the GP4 folder (cars.wad)
//   argument 3  the source folder below "UpdateFolder" (carsfix)
//   argument 4  the step word of a series: "\Start", "\Run" or "\End"
// Further arguments are ignored. Words are compared byte for byte: case
// matters and nothing is trimmed.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mw {

// The folder of the update files, relative to the working folder.
inline constexpr const char* kUpdateFolder = "UpdateFolder";

// What a call does, in this order.
struct CallSteps {
    bool readsContinue = false;   // goes on only when "Continue" reads true (missing: true)
    bool asks = false;            // shows the welcome text in the question box
    bool storesAnswer = false;    // on a fresh settings store, the answer as "Continue"
    bool reportsSuccess = false;  // the success message after a completed update
};

// A single call (two or three arguments): it asks, and reports success.
inline constexpr CallSteps kSingleCall = {.asks = true, .reportsSuccess = true};

struct AutoInstallCall {
    CallSteps steps;
    std::string archiveBelowGp4;          // argument 2
    std::string sourceBelowUpdateFolder;  // argument 3; empty with two arguments
};

// Nothing when the call does nothing: fewer than two arguments, another
// mode word, or an unknown step word.
std::optional<AutoInstallCall> ReadAutoInstallCall(const std::vector<std::string>& arguments);

}  // namespace mw
