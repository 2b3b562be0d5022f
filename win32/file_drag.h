// Files dragged out of a window to Explorer or any other drop target, as
// the files of a CF_HDROP: the drag runs until the drop or its cancel.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <string>
#include <vector>

namespace mw {

// The data of a drag of files: CF_HDROP alone. Released by the caller.
IDataObject* MakeFileDragData(const std::vector<std::string>& files);
// Drags the files with the left mouse button, to be copied; true when they were dropped.
bool DragFilesOut(const std::vector<std::string>& files);

}  // namespace mw
