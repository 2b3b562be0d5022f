// The Win32 program's boxes and dialogs for window tests: every box is
// recorded, every question answered as answer says, and the dialogs answered from
// queues (an empty queue cancels).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "win32/dialogs.h"

namespace mw::test {

class RecordingDialogs : public Win32Dialogs {
public:
    bool AskQuestion(const std::string& question) override
    {
        shown.push_back("question " + question);
        return answer;
    }
    void ShowMessage(const std::string& message) override { shown.push_back("message " + message); }
    void ShowErrorDisplay(const ErrorReport& report) override { shown.push_back("error " + report.message); }
    std::optional<std::string> AskText(HWND, const std::wstring&, const std::wstring&, const std::string&) override
    {
        if (textAnswers.empty())
            return std::nullopt;
        std::string answer = textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }

    std::vector<std::string> shown;
    std::deque<std::string> textAnswers;
    bool answer = true;
};

}  // namespace mw::test
