#include <cerrno>

#include <gtest/gtest.h>

#include "core/errors.h"

namespace mw {
namespace {

TEST(IoErrorTest, ErrnoMapsOntoTheTableCodes)
{
    EXPECT_EQ(IoCodeFromSystemError(ENOENT), 2);
    EXPECT_EQ(IoCodeFromSystemError(ENOTDIR), 3);
    EXPECT_EQ(IoCodeFromSystemError(EMFILE), 4);
    EXPECT_EQ(IoCodeFromSystemError(ENFILE), 4);
    for (int err : {EACCES, EPERM, EROFS, EISDIR})
        EXPECT_EQ(IoCodeFromSystemError(err), 5) << err;
    EXPECT_EQ(IoCodeFromSystemError(ENOSPC), 112);
    EXPECT_EQ(IoCodeFromSystemError(EIO), 1117);  // not the 5 of "access denied"
    EXPECT_EQ(IoCodeFromSystemError(EXDEV), EXDEV);  // passed on as it comes
}

}  // namespace
}  // namespace mw
