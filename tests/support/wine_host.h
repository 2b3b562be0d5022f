// The Linux system below Wine, for the Windows build's tests of what a
// Linux folder seen through Wine can hold and Windows programs cannot
// make: symbolic links, names that differ only in case. Outside Wine
// there is no such system: the helpers say so and the tests skip.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mw::test {

// The Linux path of a Windows path, under Wine; nothing elsewhere.
std::optional<std::string> HostPath(const std::string& windowsPath);
// Runs a Linux program (found in PATH) with its arguments and waits for
// it; false when not under Wine or it could not run.
bool RunOnHost(const std::vector<std::string>& arguments);
// Makes a symbolic link at link to target as Windows makes one, or, where
// Wine makes none, on the Linux side, which Wine shows as a plain folder
// or file; false when neither can.
bool MakeLink(const std::string& link, const std::string& target, bool folder);
// A folder of the prefix's own drive C, on the file system that holds the
// prefix, whatever the tests' temporary folder is on.
std::string PrefixFolder();

}  // namespace mw::test
