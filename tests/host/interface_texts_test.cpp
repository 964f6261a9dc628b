#include "editor/texts/interface_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace {

using editor::Language;
using editor::TextName;

std::size_t leadingBlanks(std::string_view text) { return text.find_first_not_of(' '); }
std::size_t trailingBlanks(std::string_view text) { return text.size() - 1 - text.find_last_not_of(' '); }

// Every name has a text in both languages; the English ones are ASCII but
// for the texts meant to stay the same in every language; pieces that the
// editor joins with a number or a name keep their blanks in both, and the
// line breaks match.
TEST(InterfaceTextsTest, EveryNameHasARussianAndAnAsciiEnglishTextOfTheSameShape) {
    for (std::size_t i = 0; i < editor::kTextCount; ++i) {
        const auto name = static_cast<TextName>(i);
        const std::string_view russian = editor::textIn(Language::Russian, name);
        const std::string_view english = editor::textIn(Language::English, name);
        SCOPED_TRACE(english);
        ASSERT_FALSE(russian.empty()) << "text " << i;
        ASSERT_FALSE(english.empty()) << "text " << i;
        if (editor::sameInEveryLanguage(name)) {
            EXPECT_EQ(russian, english);
            continue;
        }
        EXPECT_TRUE(std::ranges::all_of(english, [](char c) { return (c >= ' ' && c < 0x7F) || c == '\r'; }));
        EXPECT_EQ(leadingBlanks(russian), leadingBlanks(english));
        EXPECT_EQ(trailingBlanks(russian), trailingBlanks(english));
        EXPECT_EQ(std::ranges::count(russian, '\r'), std::ranges::count(english, '\r'));
    }
}

TEST(InterfaceTextsTest, TextsFollowTheChosenLanguageAndItsCode) {
    EXPECT_EQ(editor::currentLanguage(), Language::Russian) << "Russian until another is chosen";
    EXPECT_STREQ(editor::text(TextName::MenuFile), "Файл");
    editor::setLanguage(editor::languageOfCode("en"));
    EXPECT_STREQ(editor::text(TextName::MenuFile), "File");
    EXPECT_STREQ(editor::languageCode(editor::currentLanguage()), "en");
    editor::setLanguage(Language::Russian);
    EXPECT_STREQ(editor::languageCode(Language::Russian), "ru");
    for (const std::string_view unknown : {"", "de", "EN ", "ru"})
        EXPECT_EQ(editor::languageOfCode(unknown), Language::Russian) << unknown;
}

}  // namespace
