// The path text of a folder chosen in a folder tree.
#pragma once

#include <QString>

namespace mw {

// The folder's parsing name (its full path), or its display name when the
// parsing name stands for a virtual folder ("::{" ...). A text of more than
// one character that begins with "?" and a digit loses every "?".
QString FolderPathText(const QString& parsingName, const QString& displayName);

}  // namespace mw
