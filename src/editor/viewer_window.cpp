// The viewer window's definition and its behaviour.
#include "editor/viewer_window.h"

#include <optional>

#include "core/code_page.h"
#include "core/folder_files.h"
#include "core/object.h"
#include "editor/control_ids.h"
#include "editor/presets.h"
#include "model/material_edit.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/plain_controls.h"

namespace editor {

using namespace toolkit;

namespace {

// The rule by which the engine lets what lies behind a material show
// through its diffuse image: the colour key for an 8-bit BMP image of a
// material with the colour-key bit, the image's own alpha for a 32-bit one.
Transparency diffuseTransparencyOf(const Bitmap& image, core::ImageFormat format, bool colorKey) {
    if (colorKey && format == core::ImageFormat::Bmp && image.pixelFormat() == core::PixelFormat::EightBits)
        return Transparency::ColorKey;
    if (image.pixelFormat() == core::PixelFormat::ThirtyTwoBits) return Transparency::ImageAlpha;
    return Transparency::None;
}

}  // namespace

ViewerWindow::ViewerWindow(Application&, const std::string& textureFolder) : textureFolder_(textureFolder) {}

ViewerWindow& ViewerWindow::build(Application& application, const std::string& textureFolder) {
    core::Ref<ViewerWindow> created(new ViewerWindow(application, textureFolder));
    ViewerWindow& viewer = *created;
    viewer.form_ = &viewer.captions_.add(newForm(application, ""), TextName::ViewerCaption);
    viewer.form_->setPosition(326, 197);
    viewer.alphaImage_ = newBitmap(0, 0);
    viewer.diffuseImage_ = newBitmap(0, 0);
    viewer.reflectionImage_ = newBitmap(0, 0);
    viewer.diffusePicture_ = newBitmap(0, 0);
    application.own(std::move(created));  // freed after every form

    Form& form = *viewer.form_;
    form.setDoubleBuffered(true);
    form.setClientSize(492, 316);
    form.setBackgroundColor(0xE1E1E1);
    form.setOnClose([&form](Control&, bool& accept) {
        // Closing only hides the viewer: it keeps its images, tab and band.
        form.setVisible(false);
        accept = false;
    });
    form.setSizeLimit(MinWidth, 500).setSizeLimit(MinHeight, 350);
    viewer.createControls();
    viewer.wireEvents();
    form.rememberShowState();
    viewer.onCreate();
    return viewer;
}

void ViewerWindow::createControls() {
    imageArea_ = &newScrollBox(*form_, ScrollBox::SunkenEdge);
    imageArea_->setPosition(9, 10).setSize(476, 254).setId(ViewerImageAreaId);
    imageArea_->setBrushBitmap(LoadBitmapW(GetModuleHandleW(nullptr), core::toWide(kBackgroundResource).c_str()));

    paintBox_ = &newPaintBox(*imageArea_);
    paintBox_->setPosition(0, 0).setSize(1, 1);
    // Each paint draws the checkerboard anew under a transparent image.
    paintBox_->setDoubleBuffered(true);

    const auto newTab = [this](TextName caption, int left, Color normalEnd, int id) -> GradientButton& {
        GradientButton& button = captions_.add(newGradientButton(*form_, ""), caption);
        button.setPosition(left, 272).setSize(129, 25).setFontHeight(14).setFontFace("Verdana").setId(id);
        applyTabButtonPreset(button, normalEnd);
        return button;
    };
    envButton_ = &newTab(TextName::EnvTab, 10, kSelectedTabColor, ViewerEnvTabId);
    diffButton_ = &newTab(TextName::DiffTab, 152, kOtherTabColor, ViewerDiffTabId);
    alfaButton_ = &newTab(TextName::AlfaTab, 295, kOtherTabColor, ViewerAlfaTabId);

    transparencyLine_ = &newLabel(*form_, "");
    transparencyLine_->setPosition(10, 300).setSize(470, 15).setId(ViewerTransparencyLineId);
}

void ViewerWindow::wireEvents() {
    paintBox_->setOnPaint([this](Control&, HDC dc) { paintImage(dc); });
    envButton_->setOnClick([this](Control&) { selectTab(ReflectionTab); });
    envButton_->setAnchors(true, false, false, true);
    imageArea_->setAnchors(true, true, true, true);
    alfaButton_->setOnClick([this](Control&) { selectTab(AlphaTab); });
    alfaButton_->setAnchors(true, false, false, true);
    diffButton_->setOnClick([this](Control&) { selectTab(DiffuseTab); });
    diffButton_->setAnchors(true, false, false, true);
    transparencyLine_->setAnchors(true, false, true, true);
}

void ViewerWindow::onCreate() {
    selectedTab_ = ReflectionTab;
    paintBox_->setOnPaint([this](Control&, HDC dc) { paintImage(dc); });
    form_->setVisible(false);
}

Bitmap* ViewerWindow::imageOf(Tab tab) const {
    switch (tab) {
        case ReflectionTab:
            return reflectionImage_.get();
        case DiffuseTab:
            return diffuseImage_.get();
        case AlphaTab:
            return alphaImage_.get();
    }
    return reflectionImage_.get();
}

GradientButton& ViewerWindow::buttonOf(Tab tab) const {
    return tab == ReflectionTab ? *envButton_ : tab == DiffuseTab ? *diffButton_ : *alfaButton_;
}

void ViewerWindow::fitPaintBox(const Bitmap& image) {
    paintBox_->setWidth(image.width()).setHeight(image.height());
}

void ViewerWindow::loadImage(Tab tab, const std::string& textureName) {
    Bitmap& image = *imageOf(tab);
    image.clear();
    const std::optional<core::ImageFormat> format = model::viewerFormatOf(textureName);
    if (format) {
        const std::string path = core::FolderFiles(textureFolder_).pathOf(textureName);
        if (!path.empty()) image.loadFromFile(path, *format);
    }
    if (tab == DiffuseTab) {
        diffuseFormat_ = format.value_or(core::ImageFormat::Bmp);
        makeDiffusePicture();
    }
    if (tab == selectedTab_) fitPaintBox(image);
    paintBox_->invalidate();
    showTransparency();
}

void ViewerWindow::setColorKey(bool colorKey) {
    if (colorKey == colorKey_) return;
    colorKey_ = colorKey;
    makeDiffusePicture();
    if (selectedTab_ == DiffuseTab) paintBox_->invalidate();
    showTransparency();
}

void ViewerWindow::makeDiffusePicture() {
    const Transparency rule = diffuseTransparencyOf(*diffuseImage_, diffuseFormat_, colorKey_);
    diffusePicture_ = newTransparentPicture(*diffuseImage_, rule);
    // A picture too large to make leaves the image drawn as it is.
    diffuseTransparency_ = diffusePicture_->isEmpty() ? Transparency::None : rule;
}

// What the line under the tabs says of the image shown.
void ViewerWindow::showTransparency() {
    const Transparency rule = selectedTab_ == DiffuseTab ? diffuseTransparency_ : Transparency::None;
    const TextName line = rule == Transparency::ColorKey     ? TextName::ColorKeyTransparency
                          : rule == Transparency::ImageAlpha ? TextName::ImageAlphaTransparency
                                                             : TextName::NoTransparency;
    transparencyLine_->setCaption(imageOf(selectedTab_)->isEmpty() ? "" : text(line));
}

void ViewerWindow::showTexts() {
    captions_.show();
    showTransparency();
}

void ViewerWindow::selectTab(Tab tab) {
    selectedTab_ = tab;
    fitPaintBox(*imageOf(tab));
    paintBox_->invalidate();
    showTransparency();
    for (Tab each : {ReflectionTab, DiffuseTab, AlphaTab}) {
        GradientButton& button = buttonOf(each);
        button.setEndColor(NormalLook, each == tab ? kSelectedTabColor : kOtherTabColor);
        button.invalidate();
    }
}

void ViewerWindow::paintImage(HDC dc) {
    if (selectedTab_ == DiffuseTab && diffuseTransparency_ != Transparency::None)
        diffusePicture_->drawBlended(dc, 0, 0);
    else
        imageOf(selectedTab_)->draw(dc, 0, 0);
}

void ViewerWindow::show() { form_->showAndBringToFront(); }

void ViewerWindow::setStayOnTop(bool stayOnTop) {
    if (stayOnTop) form_->setVisible(true);
    form_->setStayOnTop(stayOnTop);
}

}  // namespace editor
