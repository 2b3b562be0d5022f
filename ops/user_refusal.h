// A refusal of the user's input found part-way through an operation (a name
// too long for its field, an archive too large for its offsets). The
// operation's entry point shows it in the user-error box and returns.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "ops/refusal.h"

namespace mw {

class UserRefusal : public std::runtime_error {
public:
    explicit UserRefusal(Refusal refusal) : std::runtime_error(RefusalText(refusal)), refusal_(std::move(refusal)) {}
    explicit UserRefusal(RefusalKind kind, std::string subject = {}, int count = 0)
        : UserRefusal(Refusal(kind, std::move(subject), count))
    {
    }
    const Refusal& refusal() const { return refusal_; }

private:
    Refusal refusal_;
};

}  // namespace mw
