// A person stopped the operation (the window's Cancel, or Escape). It ends
// the operation as an error would, before the written archive takes the
// old one's place, so the archive stays as it was; the windows show it as
// the end of the operation, not as an error.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

#include "ops/frontend.h"
#include "ops/messages.h"

namespace mw {

class OperationCancelled : public std::runtime_error {
public:
    // An extraction says how many files it had written; they stay.
    explicit OperationCancelled(std::optional<std::size_t> filesWritten = std::nullopt)
        : std::runtime_error(CancelledText(filesWritten)), filesWritten_(filesWritten)
    {
    }
    std::optional<std::size_t> FilesWritten() const { return filesWritten_; }

private:
    std::optional<std::size_t> filesWritten_;
};

// Raises OperationCancelled once the frontend's user asked to stop.
inline void StopIfCancelled(const Frontend& frontend)
{
    if (frontend.CancelRequested())
        throw OperationCancelled();
}

}  // namespace mw
