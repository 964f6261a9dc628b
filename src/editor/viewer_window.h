// The texture viewer: the reflection ("Env"), diffuse ("Diff") and alpha
// ("Alfa") image of the material being edited, one at a time, unscaled
// over a checkerboard. The diffuse image lets the checkerboard show where
// the engine would let what lies behind the material show, and a line
// under the tabs says by which rule.
#pragma once

#include <cstdint>
#include <string>

#include "core/image_reader.h"
#include "core/object.h"
#include "editor/translated_captions.h"
#include "toolkit/bitmap/bitmap.h"
#include "toolkit/bitmap/transparency.h"
#include "toolkit/gradient/gradient.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/plain_controls.h"

namespace editor {

class ViewerWindow : public core::ToolkitObject {
public:
    enum Tab : std::uint8_t { ReflectionTab = 1, DiffuseTab = 2, AlphaTab = 3 };
    static constexpr char kBackgroundResource[] = "FORM2_SCROLLBOX1_BRUSH_BMP";
    static constexpr toolkit::Color kSelectedTabColor = 0xEEEEEE;
    static constexpr toolkit::Color kOtherTabColor = 0xC0C0C0;

    // Builds the (hidden) viewer. Images are read from `textureFolder`, a
    // folder text that ends with a backslash and may change meanwhile. The
    // application owns the result.
    static ViewerWindow& build(toolkit::Application& application, const std::string& textureFolder);

    // Loads the image of a tab from a texture name: a BMP or TGA image as
    // the name ends (model::viewerFormatOf), found in the texture folder in
    // any letter case. Any other name, or a file that does not load, leaves
    // the tab empty.
    void loadImage(Tab tab, const std::string& textureName);
    // Whether the material has the colour-key bit: the Diff tab then shows
    // the pixels of an 8-bit BMP image's first palette colour as clear.
    void setColorKey(bool colorKey);
    void selectTab(Tab tab);
    // Makes the viewer visible and brings it to the front.
    void show();
    // Keeps the viewer above all windows (showing it) or back in the normal
    // order, without moving, resizing or activating it.
    void setStayOnTop(bool stayOnTop);
    // The texts show in the language chosen now.
    void showTexts();

    toolkit::Form& form() const { return *form_; }
    const toolkit::Bitmap& image(Tab tab) const { return *imageOf(tab); }

private:
    ViewerWindow(toolkit::Application& application, const std::string& textureFolder);
    void createControls();
    void wireEvents();
    void onCreate();
    void paintImage(HDC dc);
    toolkit::Bitmap* imageOf(Tab tab) const;
    toolkit::GradientButton& buttonOf(Tab tab) const;
    void fitPaintBox(const toolkit::Bitmap& image);
    // Makes the picture the Diff tab draws when its image is transparent.
    void makeDiffusePicture();
    // The line under the tabs says which rule the tab shown is drawn by.
    void showTransparency();

    const std::string& textureFolder_;
    TranslatedCaptions captions_;
    toolkit::Form* form_ = nullptr;
    toolkit::ScrollBox* imageArea_ = nullptr;
    toolkit::GradientButton* envButton_ = nullptr;
    toolkit::GradientButton* diffButton_ = nullptr;
    toolkit::GradientButton* alfaButton_ = nullptr;
    toolkit::PaintBox* paintBox_ = nullptr;
    toolkit::Label* transparencyLine_ = nullptr;
    core::Ref<toolkit::Bitmap> alphaImage_;
    core::Ref<toolkit::Bitmap> diffuseImage_;
    core::Ref<toolkit::Bitmap> reflectionImage_;
    Tab selectedTab_ = ReflectionTab;
    // The diffuse image's format, the material's colour-key bit, the rule
    // the diffuse image is drawn by and, unless that is None, its picture.
    core::ImageFormat diffuseFormat_ = core::ImageFormat::Bmp;
    bool colorKey_ = false;
    toolkit::Transparency diffuseTransparency_ = toolkit::Transparency::None;
    core::Ref<toolkit::Bitmap> diffusePicture_;
};

}  // namespace editor
