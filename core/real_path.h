// Where a path really leads: every link, junction or other reparse point
// on its way resolved, as the system resolves it when it opens the path.
#pragma once

#include <string>

namespace mw {

// Sets real to the absolute path that path leads to, in the system's own
// form, so that real paths compare as texts; returns the platform's error
// code of the failure (0: none).
int RealPathOf(const std::string& path, std::string& real);

}  // namespace mw
