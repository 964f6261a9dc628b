// The record layouts of real model files, rebuilt small: alpha bits without
// a stored alpha name, and the wide records of versions 41 and 42. They are
// read, shown and saved as stored, and edits that the layout cannot hold
// are refused with nothing written.
#include <gtest/gtest.h>

#include "cli/json_model.h"
#include "cli_test_support.h"

namespace {

using cli::Json;
using cli_test::Outcome;
using cli_test::runCli;
using test_support::ModelBytes;
using test_support::RecordBytes;
using test_support::recordWithNames;
using test_support::withSavedHeader;

class CliRealLayoutsTest : public cli_test::CliTest {
protected:
    std::string putModel(const ModelBytes& model) {
        original_ = test_support::encodeModel(model);
        return put("m.4ds", original_);
    }

    void expectRefused(const Outcome& outcome, const std::string& line) {
        EXPECT_EQ(outcome.status, 1);
        EXPECT_NE(outcome.err.find(line), std::string::npos) << outcome.err;
        EXPECT_EQ(read("m.4ds"), original_);
    }

    std::string original_;
};

// Three materials as real files hold them, then one whose alpha name follows
// its diffuse name; the mesh bytes after them must stay where they are.
TEST_F(CliRealLayoutsTest, AlphaBitsWithoutStoredNamesReadShowAndSaveAsStored) {
    RecordBytes button = recordWithNames("", "", "");  // alpha and diffuse bits, empty diffuse name
    button.flags = 0x40040001;
    RecordBytes reflectionOnly = recordWithNames("CHROME.BMP", "", "");
    reflectionOnly.flags = 0x40889101;
    RecordBytes ownAlpha = recordWithNames("", "LEAF.BMP", "");
    ownAlpha.flags |= test_support::kImageAlphaBit | test_support::kAlphaBit;
    RecordBytes panel = recordWithNames("", "2FT19.BMP", "2FT19+.BMP");
    ASSERT_EQ(test_support::encodeRecord(button).size(), 45U);  // no alpha length byte
    ModelBytes model;
    model.records = {button, reflectionOnly, ownAlpha, panel};
    model.remainder = "\x01\x00\x05\x00MESH";
    const std::string path = putModel(model);

    const Outcome shown = runCli({"show", path});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const Json json = Json::parse(shown.out);
    ASSERT_EQ(json["materials"].size(), 4U);
    EXPECT_EQ(json["remainderSize"], model.remainder.size());
    const char* alphaNames[] = {"", "", "", "2FT19+.BMP"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(json["materials"][i]["flags"], model.records[i].flags);
        EXPECT_EQ(json["materials"][i]["alphaName"], alphaNames[i]);
        EXPECT_FALSE(json["materials"][i].contains("glossiness"));
    }
    EXPECT_EQ(json["materials"][1]["reflectionName"], "CHROME.BMP");
    // Only the alpha name the model holds is a texture to look for.
    std::filesystem::create_directory(file("maps"));
    EXPECT_EQ(runCli({"textures", "--maps", file("maps"), path}).out,
              "[2] Env CHROME.BMP: missing\n[3] Diff LEAF.BMP: missing\n[4] Diff 2FT19.BMP: missing\n"
              "[4] Alfa 2FT19+.BMP: missing\n");

    ASSERT_EQ(runCli({"save", path, file("out.4ds")}).status, 0);
    EXPECT_EQ(read("out.4ds"), withSavedHeader(original_));
    // An edit that leaves the names alone keeps the alpha bit and the layout.
    ASSERT_EQ(runCli({"set", path, "1", "--density", "0.5", "-o", file("out.4ds")}).status, 0);
    model.records[0].density = 0.5F;
    EXPECT_EQ(read("out.4ds"), withSavedHeader(test_support::encodeModel(model)));
}

// Each change that would leave an alpha name the file cannot hold: given
// without a diffuse name, given with the image-alpha bit, and the diffuse
// name emptied under a stored one.
TEST_F(CliRealLayoutsTest, EditsTheLayoutCannotHoldAreRefused) {
    RecordBytes button = recordWithNames("", "", "");
    button.flags = 0x40040001;
    RecordBytes ownAlpha = recordWithNames("", "LEAF.BMP", "");
    ownAlpha.flags |= test_support::kImageAlphaBit;
    ModelBytes model;
    model.records = {button, ownAlpha, recordWithNames("", "GLASS.BMP", "GLASS+.BMP")};
    model.remainder = "MESH";
    const std::string path = putModel(model);
    const std::string notStored = "alpha-name: a model stores an alpha name only after a diffuse name";

    expectRefused(runCli({"set", path, "1", "--alpha-name", "MASK"}), "material 1, " + notStored);
    expectRefused(runCli({"set", path, "2", "--alpha-name", "MASK"}), "material 2, " + notStored);
    expectRefused(runCli({"set", path, "3", "--diffuse-name", ""}),
                  "material 3, diffuse-name: the alpha name is stored only after a diffuse name");
    put("edits.json", R"({"materials": [{"number": 1, "alphaName": "MASK.BMP"}]})");
    expectRefused(runCli({"import", path, file("edits.json")}), "material 1, alphaName: a model stores");

    // Both names removed at once, and a diffuse name given before the alpha name, are taken.
    ASSERT_EQ(runCli({"set", path, "3", "--diffuse-name", "", "--alpha-name", ""}).status, 0);
    ASSERT_EQ(runCli({"set", path, "1", "--diffuse-name", "BOX", "--alpha-name", "BOX+"}).status, 0);
    model.records[2] = recordWithNames("", "", "");
    model.records[0].diffuseName = "BOX.BMP";
    model.records[0].alphaName = "BOX+.BMP";
    EXPECT_EQ(read("m.4ds"), withSavedHeader(test_support::encodeModel(model)));
}

// A version 41 record with distinct bytes in every field: the editor's
// fields change, the fourth components, the specular colour and the
// glossiness are shown and kept, and import takes them only unchanged.
TEST_F(CliRealLayoutsTest, WideRecordsKeepWhatTheEditorDoesNotEdit) {
    RecordBytes record = test_support::distinctWideRecord();
    record.flags |= 0x00008000;
    ModelBytes model;
    model.version = 41;
    model.records = {record};
    model.remainder = "MESH";
    const std::string path = putModel(model);

    const Outcome shown = runCli({"show", path});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const Json material = Json::parse(shown.out)["materials"][0];
    EXPECT_EQ(material["ambientFourth"].get<float>(), 0.04F);
    EXPECT_EQ(material["diffuseFourth"].get<float>(), 0.08F);
    EXPECT_EQ(material["emissionFourth"].get<float>(), 0.16F);
    EXPECT_EQ(material["specular"], cli::floatsToJson(record.specular));
    EXPECT_EQ(material["glossiness"].get<float>(), 42.5F);
    EXPECT_EQ(material["alphaName"], "GLASS+.BMP");
    ASSERT_EQ(runCli({"import", path, put("edits.json", shown.out), "-o", file("out.4ds")}).status, 0);
    EXPECT_EQ(read("out.4ds"), withSavedHeader(original_));

    put("edits.json", R"({"materials": [{"number": 1, "glossiness": 10, "density": 0.5}]})");
    expectRefused(runCli({"import", path, file("edits.json")}),
                  "material 1, glossiness: the editor cannot change it; the model's is 42.5");
    put("edits.json", R"({"materials": [{"number": 1, "specular": [0.09, 0.1, 0.11, 1]}]})");
    expectRefused(runCli({"import", path, file("edits.json")}), "material 1, specular: the editor cannot change it");

    ASSERT_EQ(runCli({"set", path, "1", "--ambient", "1,0.5,0", "--emission", "0,0,1", "--density", "0.5"}).status, 0);
    model.records[0].ambient = {1.0F, 0.5F, 0.0F};
    model.records[0].emission = {0.0F, 0.0F, 1.0F};
    model.records[0].density = 0.5F;
    EXPECT_EQ(read("m.4ds"), withSavedHeader(test_support::encodeModel(model)));

    // A version 29 model has none of these fields.
    model.version = 29;
    const std::string narrow = putModel(model);
    put("edits.json", R"({"materials": [{"number": 1, "glossiness": 42.5}]})");
    expectRefused(runCli({"import", narrow, file("edits.json")}),
                  "material 1, glossiness: only the materials of version 41 and 42 models have it");
}

}  // namespace
