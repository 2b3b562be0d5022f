// Dialogs answered by a script instead of a person, for driving the whole
// program from a test or a script without a display: nothing is shown,
// every box is written to standard output as a record, and the question is
// answered from an environment variable.
#pragma once

#include "ui/dialogs/dialogs.h"

namespace mw {

// Set to "yes" to answer the question box with "&Oui"; any other value
// answers "Annuler". Unset, the program shows its real dialogs.
inline constexpr const char* kScriptedAnswerVariable = "MENDWRIGHT_SCRIPTED_ANSWER";

// Each record is a kind ("question", "message", "error", "open", "save"),
// the unit separator 0x1F, the box's text (a file dialog's title; an error's
// exact text, without its details), and the record separator 0x1E. File
// dialogs are cancelled.
class ScriptedDialogs : public Dialogs {
public:
    explicit ScriptedDialogs(bool answerYes) : answerYes_(answerYes) {}

    std::optional<QString> RunOpenDialog(const FileDialogRequest& request) override;
    std::optional<QString> RunSaveDialog(const FileDialogRequest& request) override;
    void ShowUserError(const QString& message) override;
    void ShowErrorDisplay(const QString& message, const QString& details) override;
    bool AskQuestion(const QString& question) override;

private:
    bool answerYes_;
};

// ScriptedDialogs when the variable is set, else PlatformDialogs().
Dialogs& ProgramDialogs();

}  // namespace mw
