// Standard output written and flushed through the C runtime, a failed write
// reported with the system's own code.
#include "core/standard_output.h"

#include <cstdio>

#include "core/console.h"

namespace mw {

void WriteStandardOutput(std::string_view text)
{
    ForgetOutputError();
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        ThrowOutputError();
}

void FlushStandardOutput()
{
    ForgetOutputError();
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        ThrowOutputError();
}

bool StandardErrorWritten()
{
    return std::fflush(stderr) == 0 && !std::ferror(stderr);
}

}  // namespace mw
