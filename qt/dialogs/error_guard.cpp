#include "qt/dialogs/error_guard.h"

#include "ops/error_report.h"
#include "qt/dialogs/dialogs.h"
#include "qt/qstring_conversion.h"

namespace mw {

bool RunHandler(Dialogs& dialogs, const std::function<void()>& handler)
{
    return RunReportingErrors(handler, [&dialogs](const ErrorReport& report) {
        dialogs.ShowErrorDisplay(ToQt(report.message), ToQt(report.details));
    });
}

}  // namespace mw
