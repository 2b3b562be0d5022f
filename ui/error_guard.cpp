#include "ui/error_guard.h"

#include <exception>

#include <QString>

#include "ui/dialogs.h"

namespace mw {

void RunHandler(Dialogs& dialogs, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        dialogs.ShowErrorDisplay(QString::fromUtf8(error.what()));
    }
}

}  // namespace mw
