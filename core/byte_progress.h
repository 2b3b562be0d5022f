// How a long copy tells the one who started it how many bytes it has moved,
// so that a terminal or a window can show progress during it. Copies that
// are given none run in one piece, as before.
#pragma once

#include <cstdint>

namespace mw {

class ByteProgress {
public:
    // bytes more have been written since the last call.
    virtual void Moved(std::int64_t bytes) = 0;

protected:
    ~ByteProgress() = default;
};

}  // namespace mw
