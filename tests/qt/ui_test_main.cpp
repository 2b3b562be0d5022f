// The test program's main: a GUI application on the off-screen platform,
// with the user's config and data folders moved into temporary folders so
// that no test can reach real settings or undo records.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/temp_dir.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const mw::test::TempDir config, data;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.path()));
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
