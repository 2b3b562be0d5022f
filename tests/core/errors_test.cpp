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

}  // namespace
}  // namespace mw
