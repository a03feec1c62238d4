// The profile file in memory: the keys of a section are listed in file order, and text that
// was read comes back out with every line it had, so that saving keeps what others wrote.
#include "ini_file.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

using Keys = std::vector<std::string>;

TEST(IniFile, KeysAreListedInFileOrderAsWritten) {
    TIniFile ini;
    ini.Parse("top=before any section\n"
              "[First]\n"
              "Zeta=1\n"
              "; Commented=0\n"
              "no key here\n"
              "  Alpha  = 2\n"
              "=nameless\n"
              "zeta=3\n"
              "[Second]\n"
              "Other=4\n");
    EXPECT_EQ(ini.Keys("first"), (Keys{"Zeta", "Alpha", "zeta"}));
    EXPECT_EQ(ini.Read("FIRST", "ZETA"), "1");
    EXPECT_EQ(ini.Keys("Second"), Keys{"Other"});
    EXPECT_TRUE(ini.Keys("Missing").empty());
    EXPECT_TRUE(ini.Keys("").empty());

    ini.Write("Second", "Added", "5");
    ini.Write("Third", "New", "6");
    EXPECT_EQ(ini.Keys("Second"), (Keys{"Other", "Added"}));
    EXPECT_EQ(ini.Keys("Third"), Keys{"New"});
}

TEST(IniFile, TextKeepsEveryLineAndReadsBackTheSame) {
    TIniFile ini;
    ini.Parse("; header comment\r\n"
              "\r\n"
              "[A]\r\n"
              "k = v \r\n"
              "free text\r\n"
              "[B]\n"
              "x=1=2\n");
    const std::string text = ini.Text();
    EXPECT_EQ(text, "; header comment\r\n\r\n[A]\r\nk= v \r\nfree text\r\n[B]\r\nx=1=2\r\n");
    TIniFile again;
    again.Parse(text);
    EXPECT_EQ(again.Text(), text);
    EXPECT_EQ(again.Read("a", "K"), " v ");
    EXPECT_EQ(again.Read("b", "x"), "1=2");
}

TEST(IniFile, ASectionWithABlankNameKeepsItsLinesApartOnSaving) {
    TIniFile ini;
    ini.Parse("[A]\na=1\n[ ]\nb=2\n[A]\nc=3\n");
    EXPECT_EQ(ini.Keys("A"), Keys{"a"});
    TIniFile again;
    again.Parse(ini.Text());
    EXPECT_EQ(again.Keys("A"), Keys{"a"});
    EXPECT_FALSE(again.Read("A", "b").has_value());
    EXPECT_EQ(again.Text(), ini.Text());
}

} // namespace
} // namespace quorvin
