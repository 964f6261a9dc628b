// skirvane-cli find: the materials the editor's search lists.
#include <gtest/gtest.h>

#include "cli_test_support.h"

namespace {

using cli_test::Outcome;
using cli_test::runCli;
using test_support::ModelBytes;
using test_support::recordWithNames;

class CliFindTest : public cli_test::CliTest {
protected:
    void SetUp() override {
        ModelBytes model;
        model.records = {recordWithNames("ENV.BMP", "WOOD01.BMP", ""), recordWithNames("", "", ""),
                         recordWithNames("", "wood02.bmp", ""),
                         recordWithNames("", "\xCA\xC0\xCC\xC5\xCD\xDC.BMP", "MASK.BMP")};
        path_ = putModel("m.4ds", model);
    }

    Outcome find(const std::string& text) { return runCli({"find", path_, text}); }

    std::string path_;
};

TEST_F(CliFindTest, ListsTheMatchesAsTheEditorsRows) {
    const Outcome outcome = find("BMP");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out,
              "[1] ENV.BMP|WOOD01.BMP|\n"
              "[4] |\xD0\x9A\xD0\x90\xD0\x9C\xD0\x95\xD0\x9D\xD0\xAC.BMP|MASK.BMP\n");
}

TEST_F(CliFindTest, ComparisonIsExactAndCrossesSeparators) {
    EXPECT_EQ(find("wood").out, "[3] |wood02.bmp|\n");
    EXPECT_EQ(find("P|W").out, "[1] ENV.BMP|WOOD01.BMP|\n");
    EXPECT_EQ(find("||").out, "[2] ||\n");
    EXPECT_EQ(find("\xD0\x9A\xD0\x90\xD0\x9C").out,  // КАМ as UTF-8
              "[4] |\xD0\x9A\xD0\x90\xD0\x9C\xD0\x95\xD0\x9D\xD0\xAC.BMP|MASK.BMP\n");
}

TEST_F(CliFindTest, EmptyOrUnmatchedTextFindsNothing) {
    for (const std::string text : {"", "STONE"}) {
        const Outcome outcome = find(text);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_TRUE(outcome.out.empty()) << text;
    }
}

TEST_F(CliFindTest, FailuresAreReported) {
    const Outcome notCp1251 = find("\xE4\xB8\xAD");  // no name can hold a Chinese character
    EXPECT_EQ(notCp1251.status, 1);
    EXPECT_EQ(notCp1251.err, "TEXT: the name holds a character that code page 1251 has no byte for\n");
    EXPECT_EQ(runCli({"find", file("none.4ds"), "BMP"}).status, 1);
    EXPECT_EQ(runCli({"find", path_}).status, 2);
}

}  // namespace
