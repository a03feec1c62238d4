// Language files without windows: Windows-1251 text comes out as the right letters, values
// become lists, integers and numbers by the documented rules, sections and keys are found in
// any letter case, and a missing file or key leaves the English text.
#include "lang_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace quorvin {
namespace {

using Items = std::vector<std::string>;

// A file in the temporary folder, named after the running test so that tests running side by
// side never share one; removed at the end of the test.
class TTempFile {
  public:
    TTempFile() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        Path =
            (std::filesystem::temp_directory_path() /
             (std::string("quorvin_") + test->name() + "_" + std::to_string(::getpid()) + ".lng"))
                .string();
    }
    ~TTempFile() { std::filesystem::remove(Path); }
    void Write(const std::string& bytes) const {
        std::ofstream(Path, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string Path;
};

TEST(Windows1251, LettersAndPunctuationDecodeToTheirCharacters) {
    EXPECT_EQ(DecodeWindows1251("\xC1\xE5\xEB\xFB\xE5"), "Белые");
    EXPECT_EQ(DecodeWindows1251("\xD7\xB8\xF0\xED\xFB\xE5"), "Чёрные");
    EXPECT_EQ(
        DecodeWindows1251("\xA8\xCB\xCA\xC8 \xB9 \xAB\xCF\xC0\xCB\xCA\xC8\xBB \x97 \xDD\xDE\xDF"),
        "ЁЛКИ № «ПАЛКИ» — ЭЮЯ");
    std::string alphabet;
    for (int b = 0xC0; b <= 0xFF; ++b) alphabet += static_cast<char>(b);
    EXPECT_EQ(DecodeWindows1251(alphabet), "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
                                           "абвгдежзийклмнопрстуфхцчшщъыьэюя");
    EXPECT_EQ(DecodeWindows1251("Plain [ASCII]=text;\r\n"), "Plain [ASCII]=text;\r\n");
    EXPECT_EQ(DecodeWindows1251(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(StringListValue, ItemsAreTrimmedAndAnEmptyLastItemIsLeftOut) {
    EXPECT_EQ(SplitItems(" a, b ,c,", ","), (Items{"a", "b", "c"}));
    EXPECT_EQ(SplitItems("a,,b", ","), (Items{"a", "", "b"}));
    EXPECT_EQ(SplitItems("a,b,,", ","), (Items{"a", "b", ""}));
    EXPECT_EQ(SplitItems("", ","), Items{});
    EXPECT_EQ(SplitItems("  ", ","), Items{});
    EXPECT_EQ(SplitItems(",", ","), Items{""});
    EXPECT_EQ(SplitItems("one", ","), Items{"one"});
    // A longer separator, blanks included, is matched as a whole.
    EXPECT_EQ(SplitItems("x | y|z | ", " | "), (Items{"x", "y|z"}));
    EXPECT_EQ(SplitItems("Белые;Чёрные", ";"), (Items{"Белые", "Чёрные"}));
    EXPECT_EQ(SplitItems("a,b", ""), (Items{"a", "b"}));
}

TEST(IntegerValue, OnlyDecimalIntegersOfTheIntRangeConvert) {
    EXPECT_EQ(ParseInteger("12"), 12);
    EXPECT_EQ(ParseInteger(" -7 "), -7);
    EXPECT_EQ(ParseInteger("+3"), 3);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "1.0", "1,0", "abc", "12a", "2147483648", "+-1", "--1", "0x10",
                            "$10", "1 2", "-", "+"})
        EXPECT_FALSE(ParseInteger(bad).has_value()) << bad;
}

TEST(FloatValue, ADotIsTakenAsADecimalComma) {
    EXPECT_EQ(ParseFloat("1.5"), 1.5);
    EXPECT_EQ(ParseFloat("1,5"), 1.5);
    EXPECT_EQ(ParseFloat(" -2.25e1 "), -22.5);
    EXPECT_EQ(ParseFloat("+3E-1"), 0.3);
    EXPECT_EQ(ParseFloat("5."), 5.0);
    EXPECT_EQ(ParseFloat(".5"), 0.5);
    EXPECT_EQ(ParseFloat("7"), 7.0);
    for (const char* bad : {"", ".", ",", "1.2.3", "1,000.5", "abc", "1e", "1e+", "inf", "nan",
                            "1e999", "--1", "1 5", "0x1p3"})
        EXPECT_FALSE(ParseFloat(bad).has_value()) << bad;
}

TEST(LanguageSettings, SeparatorAndFileNameRules) {
    TLanguage language;
    EXPECT_EQ(language.Separator(), ",");
    language.SetSeparator(" ; ");
    EXPECT_EQ(language.Separator(), " ; "); // kept with its blanks
    EXPECT_EQ(language.Items("a ; b;c"), (Items{"a", "b;c"}));
    language.SetSeparator("  ");
    EXPECT_EQ(language.Separator(), ",");
    language.SetSeparator("|");
    language.SetSeparator("");
    EXPECT_EQ(language.Separator(), ",");

    EXPECT_EQ(language.LangFile(), "");
    language.SetLangFile("  /some/where/Russian.lng \t");
    EXPECT_EQ(language.LangFile(), "/some/where/Russian.lng");
}

TEST(LanguageFile, SectionsAndKeysAreFoundInAnyLetterCase) {
    const auto contents = TLangFileContents::FromBytes(
        "[TRANSLATIONS]\r\nmainform.NExit.Caption=\xC2\xFB\xF5\xEE\xE4\r\n"
        "[messages]\r\nwhite=\xC1\xE5\xEB\xFB\xE5\r\n"
        "[language]\r\nLOCALE = ru \r\n");
    const auto translations = contents.Translations();
    ASSERT_EQ(translations.size(), 1u);
    EXPECT_EQ(translations[0].Key, "mainform.NExit.Caption");
    EXPECT_EQ(translations[0].Value, "Выход");
    EXPECT_EQ(contents.Message("White"), "Белые");
    EXPECT_EQ(contents.Message("WHITE"), "Белые");
    EXPECT_FALSE(contents.Message("Black").has_value());
    EXPECT_EQ(contents.Locale(), "ru");
}

TEST(LanguageFile, TranslationsComeInFileOrderWithValuesAsProfilesGiveThem) {
    const auto contents = TLangFileContents::FromBytes("; a comment\n"
                                                       "[Messages]\n"
                                                       "Quorvin=Q\n"
                                                       "[Translations]\n"
                                                       "B.Caption =  spaced out  \n"
                                                       "not a line of key and value\n"
                                                       "; A.Caption=commented out\n"
                                                       "A.Caption=\" kept blanks \"\n"
                                                       "C.Items='x, y'\n"
                                                       "D.Caption=\n"
                                                       "B.Caption=second\n"
                                                       "[Other]\n"
                                                       "E.Caption=elsewhere\n");
    const auto translations = contents.Translations();
    ASSERT_EQ(translations.size(), 5u);
    EXPECT_EQ(translations[0].Key, "B.Caption");
    EXPECT_EQ(translations[0].Value, "spaced out");
    EXPECT_EQ(translations[1].Value, " kept blanks ");
    EXPECT_EQ(translations[2].Value, "x, y");
    EXPECT_EQ(translations[3].Value, "");
    // A key written twice reads the first value both times.
    EXPECT_EQ(translations[4].Key, "B.Caption");
    EXPECT_EQ(translations[4].Value, "spaced out");
}

TEST(LanguageFile, AFileWithTheByteOrderMarkIsReadAsUtf8) {
    const auto contents = TLangFileContents::FromBytes("\xEF\xBB\xBF[Messages]\nWhite=Белые\n");
    EXPECT_EQ(contents.Message("White"), "Белые");
}

TEST(TranslateText, AMissingFileOrKeyGivesTheTextItself) {
    TLanguage language;
    EXPECT_EQ(language.TranslateText("White"), "White"); // no file named
    EXPECT_EQ(language.Locale(), "");
    language.SetLangFile("/nonexistent-folder/Russian.lng");
    EXPECT_EQ(language.TranslateText("White"), "White");
    EXPECT_TRUE(language.Translations().empty());
    EXPECT_EQ(language.Locale(), "");

    TTempFile file;
    file.Write("[Messages]\nWhite=\xC1\xE5\xEB\xFB\xE5\nSet up position|=\xC2\xFB\xF5\xEE\xE4|\n");
    language.SetLangFile(file.Path);
    EXPECT_EQ(language.TranslateText("White"), "Белые");
    EXPECT_EQ(language.TranslateText("Set up position|"), "Выход|");
    EXPECT_EQ(language.TranslateText("Black"), "Black");
    EXPECT_EQ(language.TranslateText(""), "");
    // Only "Messages": nothing for the windows, and no language named for Qt's own texts.
    EXPECT_TRUE(language.Translations().empty());
    EXPECT_EQ(language.Locale(), "");
}

TEST(TranslateText, TheFileIsReadAgainForEveryLookup) {
    TTempFile file;
    file.Write("[Messages]\nVictory=one\n");
    TLanguage language;
    language.SetLangFile(file.Path);
    EXPECT_EQ(language.TranslateText("Victory"), "one");
    file.Write("[Messages]\nVictory=two\n");
    EXPECT_EQ(language.TranslateText("Victory"), "two");
    std::filesystem::remove(file.Path);
    EXPECT_EQ(language.TranslateText("Victory"), "Victory");
}

} // namespace
} // namespace quorvin
