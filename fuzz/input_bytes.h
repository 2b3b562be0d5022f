// The fuzzers' inputs read as a series of choices and texts. Past the
// input's end every choice is the first one and every text is empty, so
// that a short input is a short run.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace mw::fuzz {

class InputBytes {
public:
    InputBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return at_ == size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    // A number below count (at most 256).
    int Below(int count) { return Byte() % count; }
    std::uint64_t Word()
    {
        std::uint64_t word = 0;
        for (int i = 0; i < 8; ++i)
            word |= std::uint64_t{Byte()} << (8 * i);
        return word;
    }
    // A text: its length in one byte, then its bytes.
    std::string Text() { return Take(Byte()); }
    // What is left.
    std::string Rest() { return Take(size_ - at_); }

private:
    std::string Take(std::size_t count)
    {
        count = std::min(count, size_ - at_);
        std::string bytes(reinterpret_cast<const char*>(data_ + at_), count);
        at_ += count;
        return bytes;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace mw::fuzz
