// The files a create or an update takes from its source text: every file
// below a folder, or the one file a file path names.
#pragma once

#include <optional>
#include <string>

#include "core/list_files.h"
#include "core/payload.h"
#include "ops/frontend.h"

namespace mw {

// Whether a source text names a folder: what is on disk where the path
// exists, else the extension rule (IsFolderPath).
bool IsSourceFolder(const std::string& sourceText);

// What keeps a source text that names a file from being a source: no file
// there (message 65289), or one that is not a regular file; nothing for a
// folder's text, or a sound file.
std::optional<Refusal> SourceFileRefusal(const std::string& sourceText);

// The files of the source text: every file below a folder, or the one file
// a file path names. Nothing (after showing message 65289) when the text is
// a file path and no file is there, or after naming it when what is there
// is not a regular file.
std::optional<FileList> ListSources(Frontend& frontend, const std::string& sourceText);

// The path of a listed file below the source text, as the lister built it:
// without the source text and the separator put after it.
std::string RelativeToSource(const std::string& path, const std::string& sourceText);

// A source file as a payload: measured now, its bytes copied when the
// archive is written (a file that cannot be read fails then). A file of
// 2 GiB or more is refused as too large for an archive.
Payload ReadSourceFile(const std::string& path);

}  // namespace mw
