// The program's dialogs answered by a script instead of a person, for
// driving the whole program from a test without a display: nothing is
// shown, every box is written to standard output as a record, and the
// question is answered from MENDWRIGHT_SCRIPTED_ANSWER. Built only into the
// tests' copy of the program.
#include <cstdio>
#include <string>

#include "qt/program_dialogs.h"

namespace mw {
namespace {

// Set to "yes" to answer the question box with "&Oui"; any other value
// answers "Annuler". Unset, the program shows its real dialogs.
constexpr const char* kScriptedAnswerVariable = "MENDWRIGHT_SCRIPTED_ANSWER";

void WriteRecord(const char* kind, const QString& text)
{
    const std::string record = std::string(kind) + '\x1f' + text.toStdString() + '\x1e';
    std::fwrite(record.data(), 1, record.size(), stdout);
    std::fflush(stdout);
}

// Each record is a kind ("question", "message", "error", "open", "save",
// "folder", "text"), the unit separator 0x1F, the box's text (a dialog's
// title; an error's exact text, without its details), and the record
// separator 0x1E. Dialogs that ask for a file, a folder or a text are
// cancelled.
class ScriptedDialogs : public Dialogs {
public:
    explicit ScriptedDialogs(bool answerYes) : answerYes_(answerYes) {}

    std::optional<QString> RunOpenDialog(const FileDialogRequest& request) override
    {
        WriteRecord("open", request.title);
        return std::nullopt;
    }
    std::optional<QString> RunSaveDialog(const FileDialogRequest& request) override
    {
        WriteRecord("save", request.title);
        return std::nullopt;
    }
    QStringList RunOpenFilesDialog(const FileDialogRequest& request) override
    {
        WriteRecord("open", request.title);
        return {};
    }
    std::optional<QString> ChooseFolder(const QString& title, const QString& /*startFolder*/) override
    {
        WriteRecord("folder", title);
        return std::nullopt;
    }
    std::optional<QString> AskText(const QString& title, const QString& /*label*/, const QString& /*text*/) override
    {
        WriteRecord("text", title);
        return std::nullopt;
    }
    void ShowUserError(const QString& message) override { WriteRecord("message", message); }
    void ShowErrorDisplay(const QString& message, const QString& /*details*/) override { WriteRecord("error", message); }
    bool AskQuestion(const QString& question) override
    {
        WriteRecord("question", question);
        return answerYes_;
    }

private:
    bool answerYes_;
};

}  // namespace

Dialogs& ProgramDialogs()
{
    if (!qEnvironmentVariableIsSet(kScriptedAnswerVariable))
        return PlatformDialogs();
    static ScriptedDialogs scripted(qEnvironmentVariable(kScriptedAnswerVariable) == QStringLiteral("yes"));
    return scripted;
}

}  // namespace mw
