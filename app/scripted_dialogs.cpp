#include "app/scripted_dialogs.h"

#include <cstdio>
#include <string>

namespace mw {
namespace {

void WriteRecord(const char* kind, const QString& text)
{
    const std::string record = std::string(kind) + '\x1f' + text.toStdString() + '\x1e';
    std::fwrite(record.data(), 1, record.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

std::optional<QString> ScriptedDialogs::RunOpenDialog(const FileDialogRequest& request)
{
    WriteRecord("open", request.title);
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::RunSaveDialog(const FileDialogRequest& request)
{
    WriteRecord("save", request.title);
    return std::nullopt;
}

void ScriptedDialogs::ShowUserError(const QString& message)
{
    WriteRecord("message", message);
}

void ScriptedDialogs::ShowErrorDisplay(const QString& message, const QString& /*details*/)
{
    WriteRecord("error", message);
}

bool ScriptedDialogs::AskQuestion(const QString& question)
{
    WriteRecord("question", question);
    return answerYes_;
}

Dialogs& ProgramDialogs()
{
    if (!qEnvironmentVariableIsSet(kScriptedAnswerVariable))
        return PlatformDialogs();
    static ScriptedDialogs scripted(qEnvironmentVariable(kScriptedAnswerVariable) == QStringLiteral("yes"));
    return scripted;
}

}  // namespace mw
