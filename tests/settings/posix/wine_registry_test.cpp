#include <gtest/gtest.h>

#include "settings/posix/wine_registry.h"

namespace mw {
namespace {

constexpr const char* kKey = "Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir";

std::string Registry(const std::string& body, const std::string& newline = "\n")
{
    std::string text = "WINE REGISTRY Version 2" + newline + ";; All keys relative to \\\\Machine" + newline +
                       newline + "#arch=win64" + newline;
    for (char c : body)
        text += c == '\n' ? newline : std::string(1, c);
    return text;
}

const std::string kGp4Section = "[Software\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir] 1700000000\n"
                                "#time=1d9f0c2a3b4c5d6\n";

std::optional<std::string> DirectoryIn(const std::string& fileText, const char* key = kKey)
{
    const std::optional<WineRegistryKey> found = FindWineRegistryKey(fileText, key);
    return found ? found->Text("Directory") : std::optional<std::string>("<no key>");
}

TEST(WineRegistryTest, ReadsAQuotedTextWithItsEscapes)
{
    const std::string text = Registry(kGp4Section + "\"Directory\"=\"C:\\\\Games\\\\\\\"GP4\\\" \\x00e9\\xe9t\\101\\t\"\n");
    EXPECT_EQ(DirectoryIn(text), "C:\\Games\\\"GP4\" \xc3\xa9\xc3\xa9t" "A\t");
    // "\x" reads up to four digits; a supplementary character comes as two units.
    EXPECT_EQ(DirectoryIn(Registry(kGp4Section + "\"Directory\"=\"\\x00411\\xd83d\\xde00\\x\"\n")),
              "A1\xf0\x9f\x98\x80x");
}

TEST(WineRegistryTest, MatchesKeyAndValueNamesIgnoringCaseAndTakesCrLf)
{
    const std::string text =
        Registry("[SOFTWARE\\\\infogrames\\\\GRAND PRIX 4\\\\1.00\\\\install dir] 1\n\"DIRECTORY\" = \"C:\\\\GP4\"\n"
                 "@=\"default\"\n",
                 "\r\n");
    const std::optional<WineRegistryKey> key = FindWineRegistryKey(text, std::string("\\") + kKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Text("directory"), "C:\\GP4");
    EXPECT_EQ(key->Text(""), "default");
}

TEST(WineRegistryTest, DecodesUtf16TextsWrittenInHexOverSeveralLines)
{
    const std::string text = Registry(kGp4Section +
                                      "\"Directory\"=hex(1):43,00,3a,00,5c,00,\\\n"
                                      "  47,00,50,00,34,00,00,00\n"
                                      "\"Other\"=str(2):\"%ProgramFiles%\\\\GP4\"\n");
    EXPECT_EQ(DirectoryIn(text), "C:\\GP4");
    EXPECT_EQ(FindWineRegistryKey(text, kKey)->Text("Other"), "%ProgramFiles%\\GP4");
}

TEST(WineRegistryTest, ValuesOfOtherTypesAreNoTexts)
{
    EXPECT_EQ(DirectoryIn(Registry(kGp4Section + "\"Directory\"=\"C:\\\\GP4\"\n\"Directory\"=dword:00000001\n")),
              std::nullopt);
    EXPECT_EQ(DirectoryIn(Registry(kGp4Section + "\"Directory\"=hex(7):43,00,00,00,00,00\n")), std::nullopt);
}

TEST(WineRegistryTest, SkipsWhatItCannotReadAndKeepsTheRest)
{
    const std::string text = Registry("\"Directory\"=\"before any key\"\n" + kGp4Section +
                                      "; a comment\n"
                                      "garbage line\n"
                                      "\"Directory\"=\"unterminated\n"
                                      "\"Directory\"=hex(zz):00\n"
                                      "\"Directory\"=\"C:\\\\GP4\"\n"
                                      "\"Directory\"=\"unterminated again\n");
    EXPECT_EQ(DirectoryIn(text), "C:\\GP4");
}

TEST(WineRegistryTest, FindsOnlyTheKeyItselfInAFileWithItsHeader)
{
    const std::string subkeyOnly =
        Registry("[Software\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir\\\\More] 1\n\"Directory\"=\"x\"\n"
                 "[Software\\\\Infogrames\\\\Grand Prix 4\\\\1.00] 1\n\"Directory\"=\"y\"\n");
    EXPECT_EQ(DirectoryIn(subkeyOnly), "<no key>");
    const std::string noHeader = kGp4Section + "\"Directory\"=\"C:\\\\GP4\"\n";
    EXPECT_EQ(DirectoryIn(noHeader), "<no key>");
    // The key is there even with no values, and a later section of the same key adds to it.
    EXPECT_EQ(DirectoryIn(Registry(kGp4Section)), std::nullopt);
    EXPECT_EQ(DirectoryIn(Registry(kGp4Section + "[Other] 1\n\"Directory\"=\"no\"\n" + kGp4Section +
                                   "\"Directory\"=\"C:\\\\GP4\"\n")),
              "C:\\GP4");
}

}  // namespace
}  // namespace mw
