// The program's boxes answered by a script instead of a person, for driving
// the whole program from a test: nothing is shown, every box is written to
// standard output as a record, and the question is answered from
// MENDWRIGHT_SCRIPTED_ANSWER. Built only into the tests' copy of the program.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "win32/program_dialogs.h"

namespace mw {
namespace {

// Set to "yes" to answer the question box with "&Oui"; any other value
// answers "Annuler". Unset, the program shows its real boxes.
constexpr const char* kScriptedAnswerVariable = "MENDWRIGHT_SCRIPTED_ANSWER";

// A kind ("question", "message", "error"), the unit separator 0x1F, the
// box's text (an error's exact text, without its details), and the record
// separator 0x1E.
void WriteRecord(const char* kind, const std::string& text)
{
    // The records are bytes: no "\r" before each "\n".
    static const int binary = _setmode(_fileno(stdout), _O_BINARY);
    static_cast<void>(binary);
    const std::string record = std::string(kind) + '\x1f' + text + '\x1e';
    std::fwrite(record.data(), 1, record.size(), stdout);
    std::fflush(stdout);
}

class ScriptedDialogs : public Win32Dialogs {
public:
    explicit ScriptedDialogs(bool answerYes) : answerYes_(answerYes) {}

    bool AskQuestion(const std::string& question) override
    {
        WriteRecord("question", question);
        return answerYes_;
    }
    void ShowMessage(const std::string& message) override { WriteRecord("message", message); }
    void ShowErrorDisplay(const ErrorReport& report) override { WriteRecord("error", report.message); }

private:
    bool answerYes_;
};

}  // namespace

Win32Dialogs& ProgramDialogsInUse()
{
    static Win32Dialogs boxes;
    const char* answer = std::getenv(kScriptedAnswerVariable);
    if (!answer)
        return boxes;
    static ScriptedDialogs scripted(std::string(answer) == "yes");
    return scripted;
}

}  // namespace mw
