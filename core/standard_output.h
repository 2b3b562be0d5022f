// The record that the C runtime keeps of a failed write to standard
// output, which each platform keeps in its own variable: cleared before a
// write, and read at once after one that fails.
#pragma once

namespace mw {

void ForgetOutputError();
// Raises the IoError of the failed write, naming "standard output".
[[noreturn]] void ThrowOutputError();

}  // namespace mw
