// One editing pass over the sample model as a user makes it: every kind of
// property changed somewhere, saved, opened again, and the saved file read
// back with the model's own code.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iomanip>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "editor_driver.h"
#include "model/model_file.h"
#include "model_bytes.h"
#include "panel_driver.h"
#include "panel_fixture.h"

namespace {

using editor_driver::progressPosition;
using editor_driver::waitUntil;
using editor_driver::windowText;
using panel_driver::Button;
using panel_driver::sliderX;

std::string samplePath(const std::string& name) {
    return editor_driver::toCp1251(editor_driver::windowsPath(std::string(SKIRVANE_SAMPLES) + "/" + name));
}

// A material's values, comparable as a whole.
struct MaterialValues {
    std::uint32_t flags = 0;
    model::Color ambient{};
    model::Color diffuse{};
    model::Color emission{};
    float density = 0;
    float reflectionDensity = 0;
    std::string reflectionName;
    std::string diffuseName;
    std::string alphaName;
    std::optional<model::Material::AnimationBlock> animation;
    bool operator==(const MaterialValues&) const = default;
};

void PrintTo(const MaterialValues& values, std::ostream* out) {
    const auto colour = [&](const model::Color& c) { *out << "(" << c[0] << ", " << c[1] << ", " << c[2] << ")"; };
    *out << std::hex << "flags 0x" << values.flags << std::dec << std::setprecision(9) << ", ambient ";
    colour(values.ambient);
    *out << ", diffuse ";
    colour(values.diffuse);
    *out << ", emission ";
    colour(values.emission);
    *out << ", density " << values.density << ", reflection density " << values.reflectionDensity << ", names \""
         << values.reflectionName << "\" \"" << values.diffuseName << "\" \"" << values.alphaName << "\"";
    if (values.animation) *out << ", " << int{(*values.animation)[0]} << " frames";
}

std::vector<MaterialValues> valuesOf(const model::ModelFile& file) {
    std::vector<MaterialValues> all;
    const model::MaterialList& materials = file.materials();
    for (std::int32_t n = 1; n <= materials.count(); ++n) {
        const model::Material& m = *materials.materialAt(n);
        all.push_back({m.flags(), m.ambient(), m.diffuse(), m.emission(), m.density(), m.reflectionDensity(),
                       std::string(m.reflectionName()), std::string(m.diffuseName()), std::string(m.alphaName()),
                       m.animation()});
    }
    return all;
}

void setDelay(model::Material::AnimationBlock& block, std::uint32_t delay) {
    for (int i = 0; i < 4; ++i) block[6 + i] = static_cast<std::uint8_t>(delay >> (8 * i));
}

class SampleEditTest : public panel_test::PanelTest {
protected:
    SampleEditTest() : PanelTest(samplePath("maps")) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PanelTest::SetUp());
        ASSERT_TRUE(original_.load(samplePath("sample.4ds")));
        ASSERT_EQ(original_.materials().count(), 8);
        ASSERT_TRUE(session_.open(test_support::readFileBytes(samplePath("sample.4ds"))));
    }

    void rightClick(HWND bar, int position) {
        ASSERT_TRUE(panel_driver::clickSlider(bar, 10, Button::Right));
        ASSERT_TRUE(panel_test::positionBecomes(bar, position));
    }
    void drag(HWND bar, int from, int to) {
        ASSERT_TRUE(panel_driver::dragSlider(bar, {sliderX(bar, from), sliderX(bar, to)}));
        ASSERT_TRUE(panel_test::positionBecomes(bar, to)) << progressPosition(bar);
    }
    void enterAndWait(HWND box, const std::string& text, const std::string& shown) {
        ASSERT_NO_FATAL_FAILURE(enter(box, text));
        ASSERT_TRUE(waitUntil([&] { return windowText(box) == shown; })) << windowText(box);
    }

    model::ModelFile original_;
};

TEST_F(SampleEditTest, EveryKindOfChangeIsSavedAndComesBackWhenOpenedAgain) {
    std::vector<MaterialValues> expected = valuesOf(original_);

    // 1, WOOD.BMP: a colour from the dialog, the diffuse channel off, a
    // reflection texture added at full density.
    ASSERT_NO_FATAL_FAILURE(chooseColour(panel().ambient.swatch, {10, 200, 30}));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().diffuseChannelBox));
    ASSERT_NO_FATAL_FAILURE(enterAndWait(panel().reflectionNameBox, "sky", "SKY.BMP"));
    ASSERT_NO_FATAL_FAILURE(rightClick(panel().reflectionDensityBar, 100));
    expected[0].ambient = {10 / 255.0F, 199 / 255.0F, 31 / 255.0F};
    expected[0].flags = (expected[0].flags & ~model::DiffuseChannel) | model::ReflectionTexture;
    expected[0].reflectionName = "SKY.BMP";
    expected[0].reflectionDensity = 1.0F;

    // 2, BRICK.BMP: the extra settings off (taking DoubleSided along), an
    // alpha texture added, the emission's red from 0 to the top.
    ASSERT_NO_FATAL_FAILURE(select(1));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().extraSettingsBox));
    ASSERT_NO_FATAL_FAILURE(enterAndWait(panel().alphaNameBox, "mask", "MASK.BMP"));
    ASSERT_NO_FATAL_FAILURE(rightClick(panel().emission.red, 100));
    expected[1].flags = (expected[1].flags & ~(model::ExtraSettings | model::DoubleSided)) | model::AlphaTexture;
    expected[1].alphaName = "MASK.BMP";
    expected[1].emission[0] = 1.0F;

    // 4 is only looked at.
    ASSERT_NO_FATAL_FAILURE(select(3));

    // 5, the animated FIRE00.BMP: frames and delay.
    ASSERT_NO_FATAL_FAILURE(select(4));
    ASSERT_TRUE(panel_driver::waitForCheckMark(panel().animateBox, true));
    ASSERT_NO_FATAL_FAILURE(enter(panel().framesBox, "8"));
    ASSERT_NO_FATAL_FAILURE(enter(panel().delayBox, "250"));
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    ASSERT_TRUE(expected[4].animation.has_value());
    (*expected[4].animation)[0] = 8;
    setDelay(*expected[4].animation, 250);

    // 6, all three textures and both highlights: the alpha texture
    // dropped, the diffuse highlight off, the main density from 70 to 25.
    ASSERT_NO_FATAL_FAILURE(select(5));
    ASSERT_NO_FATAL_FAILURE(enterAndWait(panel().alphaNameBox, "", ""));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().diffuseHighlightBox));
    ASSERT_NO_FATAL_FAILURE(drag(panel().diffuseDensityBar, 70, 25));
    expected[5].alphaName.clear();
    expected[5].flags &= ~(model::AlphaTexture | model::DiffuseHighlight);
    expected[5].density = 0.25F;

    // 7, the mirror: a main texture named for an animation, animated in
    // three frames.
    ASSERT_NO_FATAL_FAILURE(select(6));
    ASSERT_NO_FATAL_FAILURE(enterAndWait(panel().diffuseNameBox, "wood00", "WOOD00.BMP"));
    ASSERT_NO_FATAL_FAILURE(click(panel().animateBox));
    ASSERT_TRUE(panel_driver::waitForCheckMark(panel().animateBox, true));
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(panel().framesBox) != FALSE; }));
    ASSERT_NO_FATAL_FAILURE(enter(panel().framesBox, "3"));
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    expected[6].diffuseName = "WOOD00.BMP";
    expected[6].flags |= model::DiffuseTexture | model::AnimatedDiffuse;
    expected[6].animation = model::Material::AnimationBlock{3, 0, 0, 0, 0, 0, 10};

    // 8, colours only: the colour transparency off, the diffuse green from
    // 70 to 40.
    ASSERT_NO_FATAL_FAILURE(select(7));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().colorTransparencyBox));
    ASSERT_NO_FATAL_FAILURE(drag(panel().diffuse.green, 70, 40));
    expected[7].flags &= ~model::ColorTransparency;
    expected[7].diffuse[1] = 102 / 255.0F;

    ASSERT_NO_FATAL_FAILURE(save());
    model::ModelFile saved;
    ASSERT_TRUE(session_.load(saved));
    EXPECT_EQ(saved.version(), original_.version());
    EXPECT_TRUE(std::equal(saved.remainder().begin(), saved.remainder().end(), original_.remainder().begin(),
                           original_.remainder().end()))
        << "the bytes after the materials changed";
    const std::vector<MaterialValues> written = valuesOf(saved);
    ASSERT_EQ(written.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(written[i], expected[i]) << "material " << i + 1;

    // Opened again, the editor shows what was saved.
    ASSERT_TRUE(session_.reopen());
    EXPECT_EQ(windowText(panel().reflectionNameBox), "SKY.BMP");
    EXPECT_EQ(progressPosition(panel().reflectionDensityBar), 100);
    EXPECT_TRUE(panel_driver::waitForCheckMark(panel().diffuseChannelBox, false));
    ASSERT_NO_FATAL_FAILURE(select(6));
    EXPECT_TRUE(panel_driver::waitForCheckMark(panel().animateBox, true));
    EXPECT_EQ(windowText(panel().diffuseNameBox), "WOOD00.BMP");
    EXPECT_EQ(windowText(panel().framesBox), "3");
    EXPECT_EQ(windowText(panel().delayBox), "10");
    const std::vector<std::string> rows = session_.rows();
    ASSERT_EQ(rows.size(), 8U);
    EXPECT_EQ(rows[6], "[7] SKY.BMP|WOOD00.BMP|");
}

}  // namespace
