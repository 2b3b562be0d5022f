// The errors of the per-user settings store, worded as the runtime words its
// registry errors, in the framework's language as its I/O errors are.
#pragma once

#include <string>

namespace mw {

// The value exists but is not a text.
std::string WrongTypeText(const std::string& name);
// The value could not be stored.
std::string WriteFailedText(const std::string& name);
// What stands at the settings file's path is no regular file (a pipe, a
// device, a socket or a folder), so that no value can be stored in it.
std::string NotRegularSettingsText();

}  // namespace mw
