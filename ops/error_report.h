// What the default error display shows of an error that ended a handler,
// the same in every program: its exact text, and below it what the user
// needs to act on it.
#pragma once

#include <functional>
#include <string>

namespace mw {

struct ErrorReport {
    std::string message;
    // "Cause: " and the plain cause, then "File: " and the full path of the
    // file the error concerns; a line is left out when it is not known.
    std::string details;
};

// Runs the handler; an error escaping it (a file error, or any other) is
// passed to show. True when the handler returned, false when an error ended it.
bool RunReportingErrors(const std::function<void()>& handler, const std::function<void(const ErrorReport&)>& show);

// The full path of a file as the user's system writes it: absolute, with
// "." and ".." folded away and the platform's separator.
std::string FullNativePath(const std::string& path);

}  // namespace mw
