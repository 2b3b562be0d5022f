#include "tests/support/box_records.h"

namespace mw::test {

void PrintTo(const Box& box, std::ostream* out)
{
    *out << box.kind << ": \"" << box.text << "\"";
}

std::vector<Box> ReadBoxes(const std::string& out)
{
    std::vector<Box> boxes;
    std::size_t start = 0;
    for (std::size_t end; (end = out.find('\x1e', start)) != std::string::npos; start = end + 1) {
        const std::string record = out.substr(start, end - start);
        const std::size_t split = record.find('\x1f');
        boxes.push_back({record.substr(0, split), record.substr(split + 1)});
    }
    return boxes;
}

}  // namespace mw::test
