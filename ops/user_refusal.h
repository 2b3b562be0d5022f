// A refusal of the user's input found part-way through an operation (a name
// too long for its field, an archive too large for its offsets). The
// operation's entry point shows it in the user-error box and returns.
#pragma once

#include <stdexcept>
#include <string>

namespace mw {

class UserRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace mw
