#include <windows.h>

#include <gtest/gtest.h>

#include "core/errors.h"

namespace mw {
namespace {

TEST(IoErrorTest, Win32CodesMapOntoTheTableCodes)
{
    const struct {
        DWORD code;
        int table;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, 2},    {ERROR_PATH_NOT_FOUND, 3},    {ERROR_TOO_MANY_OPEN_FILES, 4},
        {ERROR_ACCESS_DENIED, 5},     {ERROR_SHARING_VIOLATION, 5}, {ERROR_WRITE_PROTECT, 5},
        {ERROR_DISK_FULL, 112},       {ERROR_HANDLE_DISK_FULL, 112},
        {ERROR_NOT_SAME_DEVICE, 17},  // passed on as it comes
    };
    for (const auto& c : cases)
        EXPECT_EQ(IoCodeFromSystemError(static_cast<int>(c.code)), c.table) << c.code;
    EXPECT_EQ(SystemErrorText(ERROR_FILE_NOT_FOUND).find('\n'), std::string::npos);
}

}  // namespace
}  // namespace mw
