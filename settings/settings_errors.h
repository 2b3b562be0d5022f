// The errors of the per-user settings store, worded as the runtime words its
// registry errors, in the framework's language as its I/O errors are.
#pragma once

#include <string>

namespace mw {

// The value exists but is not a text.
std::string WrongTypeText(const std::string& name);
// The value could not be stored.
std::string WriteFailedText(const std::string& name);

}  // namespace mw
