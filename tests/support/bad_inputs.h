// The inputs a new user gets wrong, each with the exact text and the plain
// cause it must show: one table that the command-line tool and the window's
// error display both run.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace mw::test {

struct BadInput {
    const char* name;
    bool create;  // create writes the archive; else update patches it
    // Plants the archive below dir (and the source folder dir/src); returns the archive's path.
    std::function<std::string(const TempDir& dir)> arrange;
    bool diskFull;  // the first write fails with ENOSPC through the file layer's fault seam
    std::string text;   // the exact text, before the display adds its full stop
    std::string cause;  // the plain cause
};

inline void PrintTo(const BadInput& input, std::ostream* out)
{
    *out << input.name;
}

const std::vector<BadInput>& BadInputs();

}  // namespace mw::test
