// What an operation asks and tells the user while it runs: the main
// window, the command-line tool and the tests each implement it. Its inputs
// come as a request (ops/operations.h), never from here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ops/progress.h"
#include "ops/messages.h"

namespace mw {

class Frontend {
public:
    virtual ~Frontend() = default;

    // The progress bar: a step's text and position, as StatusViewOf gives them.
    virtual void ShowProgress(const Progress& progress) = 0;
    // The whole window, at once (after the save dialog closes).
    virtual void RepaintWindow() = 0;

    // The user-error box with the refusal's text: caption kApplicationTitle
    // ("Mendwright" and the version), no icon, one "OK".
    virtual void ShowRefusal(const Refusal& refusal) = 0;

    // The save dialog: proposes a name, shows only the files that the
    // filter ("Text(*.ext)|*.ext", empty: every file) lets through, and asks
    // before an existing file is replaced when the request says so (create's
    // does, extract's, which names a folder, does not). The name chosen;
    // nothing when the user cancels.
    struct SaveRequest {
        std::string proposedName;
        std::string filter;
        bool asksBeforeReplacing = false;
    };
    virtual std::optional<std::string> AskSaveLocation(const SaveRequest& request) = 0;

    // A question the user answers before an operation changes many files;
    // true to go on. A frontend without a user to ask goes on.
    virtual bool ConfirmChanges(const std::string& /*question*/) { return true; }

    // What the operation did with one file, as it does it: stored in a new
    // archive, extracted from one, replacing an entry or appended as a new
    // one; for a replaced entry, the installed mod whose bytes it held
    // (empty: none). The windows show nothing of it; the command-line tool
    // lists it.
    enum class FileAction { Store, Extract, Replace, Append };
    virtual void FileDone(FileAction /*action*/, std::string_view /*entry*/, const std::string& /*path*/,
                          std::string_view /*replacedMod*/)
    {
    }

    // Bytes written so far out of all that the operation writes, reported
    // during long copies as well as between files; total is -1 when the
    // operation learns the sizes only as it copies.
    virtual void ShowBytes(std::int64_t /*done*/, std::int64_t /*total*/) {}
    // Whether ShowBytes shows the total: an operation that would otherwise
    // not measure its files beforehand then does.
    virtual bool ShowsByteTotal() const { return false; }

    // Whether the user asked to stop the operation. Operations ask between
    // files and during long copies, and stop with OperationCancelled; may be
    // asked from any of the operation's threads.
    virtual bool CancelRequested() const { return false; }
};

}  // namespace mw
