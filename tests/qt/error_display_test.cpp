// The window's error display for the inputs a new user gets wrong: the exact
// text first, then the plain cause and the file's full path.
#include <gtest/gtest.h>

#include <cerrno>


#include "core/file_faults.h"
#include "tests/support/bad_inputs.h"
#include "tests/support/permission_checks.h"
#include "tests/qt/ui_test_support.h"
#include "qt/main_window.h"
#include "qt/widgets/file_field.h"
#include "qt/widgets/picture_button.h"

namespace mw {
namespace {

class ErrorDisplayTest : public ::testing::TestWithParam<test::BadInput> {
protected:
    void TearDown() override { faults::Clear(); }

    test::TempDir dir;
    test::WindowFixture fixture;
    MainWindow window{fixture.state, fixture.openSettings, fixture.dialogs};
};

TEST_P(ErrorDisplayTest, ShowsTheExactTextThenThePlainCauseAndTheFullPath)
{
    const test::BadInput& input = GetParam();
    const std::string archive = input.arrange(dir);
    window.SourceField()->SetFilename(QString::fromStdString(dir / "src"));
    if (input.create)
        fixture.dialogs.saveAnswers.push_back(QString::fromStdString(archive));
    else
        window.ArchiveField()->SetFilename(QString::fromStdString(archive));
    if (input.diskFull)
        faults::Arm(faults::Call::Write, 1, ENOSPC);
    {
        const test::PermissionChecks checks;
        (input.create ? window.CreateButton() : window.UpdateButton())->click();
    }
    ASSERT_EQ(fixture.dialogs.errorDisplays, std::vector{QString::fromStdString(input.text)});
    EXPECT_EQ(fixture.dialogs.errorDetails[0].toStdString(), "Cause: " + input.cause + "\nFile: " + archive);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ErrorDisplayTest, ::testing::ValuesIn(test::BadInputs()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mw
