// The archive the contents window tests open: files at the top and in
// folders two levels deep, one folder spelt in two cases.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace mw::test {

inline const std::vector<std::pair<std::string, std::string>> kContentsEntries = {
    {"readme.txt", "0123456789"},
    {"cars\\ferrari\\helmet.tex", "HH"},
    {"cars\\ferrari\\car.gpc", "CCCCC"},
    {"cars\\Williams\\helmet.TEX", "W"},
    {"maps\\monza2001\\track.dat", "TTTT"},
};

}  // namespace mw::test
