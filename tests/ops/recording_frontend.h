// A frontend that records what an operation shows, and answers the save
// dialog as the test says.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ops/frontend.h"

namespace mw::test {

class RecordingFrontend : public Frontend {
public:
    std::optional<std::string> dialogAnswer;  // nothing: the user cancels

    std::vector<std::string> statusTexts;
    std::vector<int> positions;
    std::vector<std::string> userErrors;  // the refusals' texts
    std::vector<std::string> filesDone;  // entry names, in the order listed
    std::string saveFileName;
    std::string saveFilter = "unset";
    int dialogRuns = 0;
    int progressRepaints = 0;
    int windowRepaints = 0;

    // A step's text, position and painting, each recorded where it is set.
    void ShowProgress(const Progress& progress) override
    {
        const StatusView view = StatusViewOf(progress);
        if (view.position)
            positions.push_back(*view.position);
        if (view.text)
            statusTexts.push_back(*view.text);
        if (view.paintAtOnce)
            ++progressRepaints;
    }
    void RepaintWindow() override { ++windowRepaints; }
    void ShowRefusal(const Refusal& refusal) override { userErrors.push_back(RefusalText(refusal)); }
    // Records the request; saveFileName then holds the name chosen, or the
    // proposed one when the user cancels.
    std::optional<std::string> AskSaveLocation(const SaveRequest& request) override
    {
        ++dialogRuns;
        saveFilter = request.filter;
        saveFileName = dialogAnswer.value_or(request.proposedName);
        return dialogAnswer;
    }
    void FileDone(FileAction, std::string_view entry, const std::string&, std::string_view) override
    {
        filesDone.emplace_back(entry);
    }

    std::string LastStatus() const { return statusTexts.empty() ? "" : statusTexts.back(); }
};

// The user cancels at the operation's nth question, and at every one after.
struct CancellingFrontend : RecordingFrontend {
    int cancelAt = 0;  // 0: never
    mutable int asked = 0;
    bool CancelRequested() const override { return ++asked >= cancelAt && cancelAt > 0; }
};

}  // namespace mw::test
