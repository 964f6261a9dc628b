// skirvane-cli's command line as CLI11 reads it: the texts of --help and of
// wrong usage, and the places where the program keeps its own grammar
// rather than CLI11's.
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "version.h"

namespace {

using cli_test::CliTest;
using cli_test::Outcome;
using cli_test::runCli;
using test_support::encodeModel;
using test_support::ModelBytes;

const std::string kListOfCommands =
    "Usage: skirvane-cli COMMAND ARGUMENTS\n"
    "Reads and writes the materials of 4DS models.\n"
    "\n"
    "Commands:\n"
    "  show MODEL.4ds                                print the model as JSON\n"
    "  save MODEL.4ds OUT.4ds                        load MODEL and save it as OUT (OUT may be MODEL)\n"
    "  set MODEL.4ds NUMBER [changes] [-o OUT.4ds]   change material NUMBER (from 1) as the editor would\n"
    "  import MODEL.4ds EDITS.json [-o OUT.4ds]      apply edits in the form that show prints, all or nothing\n"
    "  textures --maps DIR [--json] PATH...          check that the viewer would show each texture from DIR\n"
    "  find PATH... TEXT, find --frame NAME PATH...  list materials by texture name TEXT, or by the frames named NAME\n"
    "  usage [--frames] PATH...                      list the materials no frame uses, or with --frames where each is "
    "used\n"
    "  rename-texture OLD NEW PATH... [--dry-run]    rename a texture in every material of the models\n"
    "\n"
    "skirvane-cli COMMAND --help describes one command; skirvane-cli --version gives the version.\n"
    "Exit status: 0 done, 1 refused or failed (nothing is written then), 2 wrong usage.\n";

const std::string kSaveUsage =
    "Usage: skirvane-cli save MODEL.4ds OUT.4ds\n"
    "load MODEL and save it as OUT (OUT may be MODEL)\n";

TEST(CliHelp, TheListOfCommandsAndAnUnknownCommandKeepTheirTexts) {
    for (const char* help : {"--help", "-h"}) EXPECT_EQ(runCli({help, "show"}).out, kListOfCommands);
    const Outcome none = runCli({});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err, kListOfCommands);
    const Outcome version = runCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "skirvane-cli " SKIRVANE_VERSION "\n");
    for (const std::string unknown : {"frobnicate", "--", "--help=x", "-5", "--version=2"}) {
        const Outcome outcome = runCli({unknown, "--help"});
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.err, "skirvane-cli: unknown command '" + unknown + "'\n" + kListOfCommands);
    }
}

TEST(CliHelp, CommandHelpAndWrongUsageKeepTheirTexts) {
    EXPECT_EQ(runCli({"save", "-h"}).out, kSaveUsage);
    const std::string setHelp = runCli({"set", "--help"}).out;
    EXPECT_TRUE(
        setHelp.starts_with("Usage: skirvane-cli set MODEL.4ds NUMBER [changes] [-o OUT.4ds]\n"
                            "change material NUMBER (from 1) as the editor would\n\n"
                            "Changes (any number of them, each at most once):\n"))
        << setHelp;
    const Outcome wrong = runCli({"save", "m.4ds"});
    EXPECT_EQ(wrong.err, "skirvane-cli save: give the model and the file to save it as\n" + kSaveUsage);
    EXPECT_EQ(runCli({"set", "m.4ds", "1"}).err, "skirvane-cli set: give at least one change\n" + setHelp);
}

// The first line of wrong usage says what is wrong, for each declaration.
TEST(CliHelp, EachCommandSaysWhatIsWrong) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> wrong{
        {{"show"}, "show: give one model"},
        {{"save", "a", "b", "c"}, "save: give the model and the file to save it as"},
        {{"set", "-x", "1", "--density", "0.5"}, "set: give the model, the material number and the changes"},
        {{"set", "m.4ds", "--density", "0.5"}, "set: the material number must be a whole number"},
        {{"set", "m.4ds", "1", "--density"}, "set: --density needs a value"},
        {{"set", "m.4ds", "1", "--density", "0.5", "-o", "a", "-o", "b"}, "set: give the output only once"},
        {{"set", "m.4ds", "1", "--no-animation", "--animation", "2,10"}, "set: give the animation only once"},
        {{"set", "m.4ds", "1", "--density", "0.5", "extra"}, "set: unexpected argument extra"},
        {{"import", "m.4ds"}, "import: give the model and the edits"},
        {{"import", "m.4ds", "e.json", "-o"}, "import: give -o OUT.4ds once"},
        {{"import", "m.4ds", "e.json", "-x"}, "import: unknown option -x"},
        {{"textures", "m.4ds"}, "textures: give the texture folder with --maps DIR"},
        {{"textures", "--maps", "maps"}, "textures: give at least one model or folder"},
        {{"textures", "m.4ds", "--maps", "a", "--maps", "b"}, "textures: give --maps DIR once"},
        {{"find", "m.4ds"}, "find: give the models or folders and the text"},
        {{"rename-texture", "A", "B"}, "rename-texture: give OLD, NEW and at least one model or folder"},
        {{"rename-texture", "A", "B", "mod", "--dry-run=yes"}, "rename-texture: unknown option --dry-run=yes"},
    };
    for (const auto& [args, problem] : wrong) {
        const Outcome outcome = runCli(args);
        EXPECT_EQ(outcome.status, 2) << problem;
        EXPECT_TRUE(outcome.err.starts_with("skirvane-cli " + problem + "\nUsage: skirvane-cli ")) << outcome.err;
    }
}

// CLI11 would report the problems of the values after any unknown option.
TEST(CliHelp, TheFirstProblemInTheArgumentsIsTheOneTold) {
    EXPECT_TRUE(runCli({"set", "m.4ds", "1", "--density", "half", "--shine", "1"})
                    .err.starts_with("skirvane-cli set: a density is a number\n"));
    EXPECT_TRUE(runCli({"set", "m.4ds", "1", "--shine", "1", "--density", "half"})
                    .err.starts_with("skirvane-cli set: unknown option --shine\n"));
    EXPECT_TRUE(runCli({"set", "m.4ds", "x", "--density", "half"})
                    .err.starts_with("skirvane-cli set: the material number must be a whole number\n"));
}

class CliGrammarTest : public CliTest {
protected:
    void SetUp() override {
        model_.records = {test_support::recordWithNames("", "WOOD.BMP", "MASK.BMP")};
        path_ = putModel("m.4ds", model_);
    }

    // The model as set would save it with the diffuse name and no alpha name.
    std::string savedWith(const std::string& diffuseName) const {
        ModelBytes model = model_;
        model.records[0].diffuseName = diffuseName;
        model.records[0].alphaName.clear();
        model.records[0].flags &= ~test_support::kAlphaBit;
        return test_support::withSavedHeader(encodeModel(model));
    }

    ModelBytes model_;
    std::string path_;
};

// CLI11 reads "-o=OUT" as "=OUT", takes the next argument for an empty
// "--name=" and splits "[A,B]" into a list.
TEST_F(CliGrammarTest, ValuesAfterAnEqualsSignOrInBracketsAreTakenWhole) {
    const Outcome outcome = runCli({"set", path_, "1", "--alpha-name=", "--diffuse-name=[A,B]", "-o=" + file("o.4ds")});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(read("o.4ds"), savedWith("[A,B].BMP"));
    ASSERT_EQ(runCli({"set", path_, "1", "--alpha-name", "", "--diffuse-name", "[X]", "-o", file("p.4ds")}).status, 0);
    EXPECT_EQ(read("p.4ds"), savedWith("[X].BMP"));
}

// An option's value may look like an option; elsewhere an argument that
// starts with "-" is an option, unless the command takes no options.
TEST_F(CliGrammarTest, ArgumentsThatStartWithADashKeepTheirPlace) {
    ASSERT_EQ(runCli({"set", path_, "1", "--alpha-name", "", "--diffuse-name", "-X"}).status, 0);
    EXPECT_EQ(read("m.4ds"), savedWith("-X.BMP"));
    EXPECT_TRUE(runCli({"set", path_, "1", "--density", "-1"}).err.starts_with("material 1, density: "));
    EXPECT_EQ(runCli({"set", path_, "-5", "--density", "0.5"}).err, "material -5: no such material; the model has 1\n");
    EXPECT_EQ(runCli({"find", path_, "-X"}).out, "[1] |-X.BMP|\n");
    EXPECT_EQ(runCli({"show", "--json"}).err, "Can't read file: --json\n");
    for (const std::string dashed : {"-5", "--", "---x", "--help", "-h"}) {
        const Outcome outcome = runCli({"import", path_, put("e.json", "{}"), dashed});
        EXPECT_EQ(outcome.status, 2) << dashed;
        EXPECT_TRUE(outcome.err.starts_with("skirvane-cli import: unknown option " + dashed + "\n")) << outcome.err;
    }
    EXPECT_EQ(runCli({"show", path_, "--help"}).status, 2);
}

// An empty first value does not make a second one welcome.
TEST_F(CliGrammarTest, AnOptionGivenTwiceIsWrongUsageEvenAfterAnEmptyValue) {
    const std::string edits = put("e.json", "{}");
    EXPECT_EQ(runCli({"import", path_, edits, "-o", "", "-o", file("o.4ds")}).status, 2);
    EXPECT_EQ(runCli({"textures", path_, "--maps", "", "--maps", folder_.path().string()}).status, 2);
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"e.json", "m.4ds"}));
}

}  // namespace
