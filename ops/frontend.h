// The only way an operation reaches a window: the main window, the
// command-line tool and the tests each implement it.
#pragma once

#include <string>

namespace mw {

class Frontend {
public:
    virtual ~Frontend() = default;

    // The source field and the archive field.
    virtual std::string SourceText() = 0;
    virtual void SetSourceText(const std::string& text) = 0;
    virtual std::string ArchiveText() = 0;
    virtual void SetArchiveText(const std::string& text) = 0;

    // The progress bar: status text, position 0..100, repaint at once.
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetPosition(int percent) = 0;
    virtual void RepaintProgress() = 0;
    // The whole window, at once (after the save dialog closes).
    virtual void RepaintWindow() = 0;

    // The user-error box: caption "Mendwright 3.1", no icon, one "OK".
    virtual void ShowUserError(const std::string& message) = 0;

    // The save dialog: proposed name and filter, run (true when confirmed), chosen name.
    virtual void SetSaveFileName(const std::string& name) = 0;
    virtual void SetSaveFilter(const std::string& filter) = 0;
    virtual bool RunSaveDialog() = 0;
    virtual std::string SaveFileName() = 0;
};

}  // namespace mw
