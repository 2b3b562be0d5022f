#include <cerrno>

#include <gtest/gtest.h>

#include "core/errors.h"

namespace mw {
namespace {

TEST(IoErrorTest, TextsFollowTheTable)
{
    EXPECT_STREQ(IoError(2).what(), "Fichier introuvable");
    EXPECT_STREQ(IoError(3).what(), "Nom de fichier incorrect");
    EXPECT_STREQ(IoError(4).what(), "Trop de fichiers ouverts");
    EXPECT_STREQ(IoError(5).what(), "Accès au fichier refusé");
    EXPECT_STREQ(IoError(100).what(), "Lecture au-delà de la fin de fichier");
    EXPECT_STREQ(IoError(101).what(), "Disque plein");
    EXPECT_STREQ(IoError(106).what(), "Saisie numérique incorrecte");
    EXPECT_STREQ(IoError(32).what(), "Erreur E/S 32");
    EXPECT_STREQ(IoError(112).what(), "Erreur E/S 112");
    EXPECT_EQ(IoError(131).code(), 131);
    EXPECT_STREQ(RangeError().what(), "Erreur de vérification d'étendue");
    EXPECT_STREQ(OutOfMemoryError().what(), "Mémoire insuffisante");
}

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
