// The test program's main: a GUI application on the off-screen platform,
// with the user's config folder moved into a temporary folder so that no
// test can reach real settings.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/temp_dir.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const mw::test::TempDir config;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
