// The slot boundary: an error that ends a handler is shown once, in the
// default error display, and the window goes on.
#pragma once

#include <functional>

namespace mw {

class Dialogs;

// Runs the handler; an error escaping it (a file error, or any other) is
// shown by dialogs.ShowErrorDisplay with its text, and for a file error its
// plain cause and the file's full path. True when the handler returned,
// false when an error ended it.
bool RunHandler(Dialogs& dialogs, const std::function<void()>& handler);

}  // namespace mw
