#include "ui/dialogs/error_guard.h"

#include <exception>

#include <QString>

#include "ui/dialogs/dialogs.h"

namespace mw {

bool RunHandler(Dialogs& dialogs, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        dialogs.ShowErrorDisplay(QString::fromUtf8(error.what()));
        return false;
    }
}

}  // namespace mw
