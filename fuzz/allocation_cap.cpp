#include "fuzz/allocation_cap.h"

#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace mw::fuzz {
namespace {

// A table item takes up to 17 times the bytes that stand for it in a file
// (a directory entry of 136 bytes for an offset and a size); the readers
// read a file 64 KiB at a time, and hash it 1 MiB at a time.
constexpr std::size_t kBytesPerFileByte = 32;
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

std::atomic<bool> watching{false};
std::atomic<std::size_t> largest{0};

void OnAllocation(const volatile void*, std::size_t size)
{
    if (!watching.load(std::memory_order_relaxed))
        return;
    std::size_t seen = largest.load(std::memory_order_relaxed);
    while (size > seen && !largest.compare_exchange_weak(seen, size)) {
    }
}

void OnFree(const volatile void*) {}

}  // namespace

void WithinAllocationCap(std::size_t fileBytes, const std::function<void()>& read)
{
    static const int installed = __sanitizer_install_malloc_and_free_hooks(OnAllocation, OnFree);
    (void)installed;
    struct Watch {
        Watch() { largest = 0, watching = true; }
        ~Watch() { watching = false; }
    };
    {
        const Watch watch;
        read();
    }
    const std::size_t cap = kPieceBytes + kBytesPerFileByte * fileBytes;
    if (largest > cap) {
        std::fprintf(stderr, "an allocation of %zu bytes while reading a file of %zu bytes\n", largest.load(),
                     fileBytes);
        std::abort();
    }
}

}  // namespace mw::fuzz
