#include "ops/error_report.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "core/errors.h"
#include "core/path_text.h"
#include "core/text.h"
#include "ops/messages.h"

namespace mw {
namespace {

std::string Details(const AppError& error)
{
    std::string details;
    if (const std::string cause = PlainCause(error); !cause.empty())
        details = kCauseLabel + cause;
    if (!error.path().empty()) {
        if (!details.empty())
            details += '\n';
        details += kFileLabel + PrintableText(FullNativePath(error.path()));
    }
    return details;
}

}  // namespace

bool RunReportingErrors(const std::function<void()>& handler, const std::function<void(const ErrorReport&)>& show)
{
    try {
        handler();
        return true;
    } catch (const AppError& error) {
        show({error.what(), Details(error)});
    } catch (const std::exception& error) {
        show({error.what(), {}});
    }
    return false;
}

std::string FullNativePath(const std::string& path)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(FileSystemPath(path), error);
    if (error)
        full = FileSystemPath(path);
    full = full.lexically_normal().make_preferred();
    if (!full.has_filename() && full.has_relative_path())
        full = full.parent_path();  // no trailing separator
    return PathText(full);
}

}  // namespace mw
