#include "ops/source_files.h"

#include <limits>

#include "core/file.h"
#include "core/path_helpers.h"
#include "ops/messages.h"

namespace mw {

bool IsSourceFolder(const std::string& sourceText)
{
    if (FolderExists(sourceText))
        return true;
    if (FileExists(sourceText))
        return false;
    return IsFolderPath(sourceText);
}

std::optional<Refusal> SourceFileRefusal(const std::string& sourceText)
{
    if (IsSourceFolder(sourceText))
        return std::nullopt;
    if (!FileExists(sourceText))
        return Refusal(RefusalKind::WrongFilePath);
    // A pipe or a device would give an empty or endless entry; a folder's
    // listing leaves them out too.
    if (!RegularFileExists(sourceText))
        return Refusal(RefusalKind::NotRegularSource, sourceText);
    return std::nullopt;
}

std::optional<FileList> ListSources(Frontend& frontend, const std::string& sourceText)
{
    if (const std::optional<Refusal> refusal = SourceFileRefusal(sourceText)) {
        frontend.ShowRefusal(*refusal);
        return std::nullopt;
    }
    if (IsSourceFolder(sourceText))
        return ListFiles(sourceText, "*.*", true, false, kAllAttributes);
    return FileList{sourceText};
}

std::string RelativeToSource(const std::string& path, const std::string& sourceText)
{
    std::size_t prefix = sourceText.size();
    if (sourceText.empty() || sourceText.back() != kNativeSeparator)
        ++prefix;
    return prefix >= path.size() ? std::string() : path.substr(prefix);
}

Payload ReadSourceFile(const std::string& path)
{
    // Measured only: the one open is the writer's, when it copies the bytes.
    const std::int64_t length = FileSize(path);
    if (length > std::numeric_limits<std::int32_t>::max())
        throw UserRefusal(RefusalKind::WadTooLarge, path);
    return Payload::Stretch(std::make_shared<const std::string>(path), 0, length);
}

}  // namespace mw
