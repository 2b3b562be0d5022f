// mendwright-cli's exit codes.
#pragma once

namespace mw::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFileError = 1;  // for verify, an unsound archive; for find, one that cannot be read
inline constexpr int kExitRefused = 2;
inline constexpr int kExitUsage = 64;

}  // namespace mw::cli
