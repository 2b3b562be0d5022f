// The program's three message boxes, set up and not yet shown: the
// user-error box, the question box and the default error display.
#pragma once

#include <memory>

#include <QString>

class QMessageBox;

namespace mw {

// Caption "Mendwright" and the version, no icon, one "OK" that Enter and Escape both press.
std::unique_ptr<QMessageBox> MakeUserErrorBox(const QString& message);

// Caption "Confirmation", question icon, "&Oui" (default) and "Annuler"
// (Escape and the close box).
std::unique_ptr<QMessageBox> MakeQuestionBox(const QString& question);
// Whether the box was answered with "&Oui".
bool AnsweredYes(const QMessageBox& box);

// Caption "Mendwright" and the version, error icon, one "OK"; the message gets a full
// stop when its last character comes after "." in the character set. The
// details, when given, are the box's informative text below it.
std::unique_ptr<QMessageBox> MakeErrorDisplay(const QString& message, const QString& details = {});

}  // namespace mw
