#include "ui/dialogs/error_guard.h"

#include <exception>

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include "core/error_causes.h"
#include "core/errors.h"
#include "core/path_helpers.h"
#include "ui/dialogs/dialogs.h"
#include "ui/text.h"

namespace mw {
namespace {

// "Cause: " and the plain cause, then "File: " and the full path of the file
// the error concerns; a line is left out when it is not known.
QString ErrorDetails(const AppError& error)
{
    QStringList lines;
    if (const std::string cause = PlainCause(error); !cause.empty())
        lines << QStringLiteral("Cause: ") + ToQt(cause);
    if (!error.path().empty()) {
        const QString path = QFileInfo(ToQt(error.path())).absoluteFilePath();
        lines << QStringLiteral("File: ") + ToQt(PrintableText(FromQt(QDir::toNativeSeparators(path))));
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

bool RunHandler(Dialogs& dialogs, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const AppError& error) {
        dialogs.ShowErrorDisplay(QString::fromUtf8(error.what()), ErrorDetails(error));
    } catch (const std::exception& error) {
        dialogs.ShowErrorDisplay(QString::fromUtf8(error.what()), {});
    }
    return false;
}

}  // namespace mw
