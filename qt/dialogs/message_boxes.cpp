#include "qt/dialogs/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "ops/messages.h"
#include "qt/qstring_conversion.h"

namespace mw {

namespace {

// A modal box with no parent, so that it opens centred on the screen.
std::unique_ptr<QMessageBox> MakeBox(const QString& caption, QMessageBox::Icon icon, const QString& text)
{
    auto box = std::make_unique<QMessageBox>();
    box->setWindowTitle(caption);
    box->setIcon(icon);
    box->setText(text);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

void AddOkButton(QMessageBox& box)
{
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
}

}  // namespace

std::unique_ptr<QMessageBox> MakeUserErrorBox(const QString& message)
{
    auto box = MakeBox(QString::fromLatin1(kApplicationTitle), QMessageBox::NoIcon, message);
    AddOkButton(*box);
    return box;
}

std::unique_ptr<QMessageBox> MakeQuestionBox(const QString& question)
{
    auto box = MakeBox(QStringLiteral("Confirmation"), QMessageBox::Question, question);
    QPushButton* yes = box->addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* cancel = box->addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(cancel);
    return box;
}

bool AnsweredYes(const QMessageBox& box)
{
    QAbstractButton* clicked = box.clickedButton();
    return clicked && box.buttonRole(clicked) == QMessageBox::YesRole;
}

std::unique_ptr<QMessageBox> MakeErrorDisplay(const QString& message, const QString& details)
{
    auto box = MakeBox(QString::fromLatin1(kApplicationTitle), QMessageBox::Critical,
                       ToQt(WithFullStop(FromQt(message))));
    box->setInformativeText(details);
    AddOkButton(*box);
    return box;
}

}  // namespace mw
