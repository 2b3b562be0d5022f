// The bytes of an image's payloads, read from their files where they are
// stretches, for comparing with what a test expects.
#pragma once

#include <string>
#include <vector>

#include "core/wad.h"

namespace mw::test {

inline std::vector<std::string> PayloadBytes(const WadImage& image)
{
    std::vector<std::string> bytes;
    for (const Payload& payload : image.Payloads)
        bytes.push_back(payload.Load());
    return bytes;
}

}  // namespace mw::test
