#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "core/version.h"
#include "qt/dialogs/message_boxes.h"

namespace mw {
namespace {

QStringList ButtonTexts(const QMessageBox& box)
{
    QStringList texts;
    for (QAbstractButton* button : box.buttons())
        texts << button->text();
    return texts;
}

TEST(MessageBoxes, UserErrorBoxHasTheTitleNoIconAndOneOk)
{
    const auto box = MakeUserErrorBox(QStringLiteral("Sorry but you have to choose a wad file first."));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Mendwright " MENDWRIGHT_VERSION));
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->text(), QStringLiteral("Sorry but you have to choose a wad file first."));
    ASSERT_EQ(ButtonTexts(*box), QStringList{QStringLiteral("OK")});
    EXPECT_EQ(box->defaultButton(), box->buttons().first());
    EXPECT_EQ(box->escapeButton(), box->buttons().first());
}

TEST(MessageBoxes, QuestionBoxAnswersYesOnlyWithOui)
{
    auto box = MakeQuestionBox(QStringLiteral("Welcome"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Confirmation"));
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_TRUE(ButtonTexts(*box).contains(QStringLiteral("&Oui")));
    EXPECT_TRUE(ButtonTexts(*box).contains(QStringLiteral("Annuler")));
    EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("&Oui"));

    box->show();
    QTest::keyClick(box.get(), Qt::Key_Escape);
    EXPECT_FALSE(AnsweredYes(*box));
    EXPECT_EQ(box->clickedButton()->text(), QStringLiteral("Annuler"));

    box = MakeQuestionBox(QStringLiteral("Welcome"));
    box->show();
    QTest::keyClick(box.get(), Qt::Key_Return);
    EXPECT_TRUE(AnsweredYes(*box));
}

TEST(MessageBoxes, ErrorDisplayHasTheErrorIconAndTheFullStopRule)
{
    const auto box =
        MakeErrorDisplay(QStringLiteral("Fichier introuvable"), QStringLiteral("Cause: x.wad does not exist"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Mendwright " MENDWRIGHT_VERSION));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->text(), QStringLiteral("Fichier introuvable."));
    EXPECT_EQ(box->informativeText(), QStringLiteral("Cause: x.wad does not exist"));
    EXPECT_EQ(ButtonTexts(*box), QStringList{QStringLiteral("OK")});

    EXPECT_EQ(MakeErrorDisplay(QStringLiteral("Erreur E/S 131"))->text(), QStringLiteral("Erreur E/S 131."));
    EXPECT_EQ(MakeErrorDisplay(QStringLiteral("Disque plein."))->text(), QStringLiteral("Disque plein."));
    EXPECT_EQ(MakeErrorDisplay(QStringLiteral("a (b)"))->text(), QStringLiteral("a (b)"));
}

}  // namespace
}  // namespace mw
