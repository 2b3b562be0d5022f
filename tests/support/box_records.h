// The records that the tests' builds of the programs write for each box
// they were asked to show, instead of showing it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace mw::test {

// One box the program showed: "question", "message", "error", "open" or "save".
struct Box {
    std::string kind;
    std::string text;
    friend bool operator==(const Box&, const Box&) = default;
};
void PrintTo(const Box& box, std::ostream* out);

// The boxes in a program's output: kind, 0x1F, text, 0x1E, one after another.
std::vector<Box> ReadBoxes(const std::string& out);

}  // namespace mw::test
