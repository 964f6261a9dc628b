// The main window's definition: its properties, menu, dialogs and every
// control with its position, size, caption, font and colours, then the
// wiring of the events, in the order the layout gives.
#include <array>
#include <string>

#include "core/object.h"
#include "editor/main_window.h"
#include "editor/presets.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/dialogs.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/list_view.h"
#include "toolkit/windows/main_menu.h"
#include "toolkit/windows/plain_controls.h"
#include "toolkit/windows/status_bar.h"

namespace editor {

using namespace toolkit;

namespace {

const std::array<std::string, 24> kMenuTemplate = {
    "Файл",     "(", "Открыть..\tCtrl+O", "Сохранить\tCtrl+S", "Сохранить как..", "-", "Выход", ")",
    "Правка",   "(", "Отменить\tCtrl+Z", "Повторить\tCtrl+Y", "Путь к папке с изображениями..", ")",
    "Просмотр", "(", "+Отображать viewer поверх всех окон", "Viewer", ")",
    "Помощь",   "(", "О программе", ")", "",
};

constexpr char kBarHint[] = "Правый клик - установить регулятор в максимальную(минимальную) позицию";
constexpr char kEditHint[] = "Сюда вводите текст ";
constexpr char kSwatchHint[] = "Клик мышкой - вызов диалога выбора цвета";

constexpr Color kEmbeddedEditBackground = 0xC0C0C0;

// A label that shows its parent's gradient behind its text.
Label& newTransparentLabel(Control& parent, const std::string& caption, int left, int top, int width, int height) {
    Label& label = newLabel(parent, caption);
    label.setPosition(left, top).setSize(width, height);
    label.setTransparent(true);
    return label;
}

// The small, grey explanations of the settings panel.
Label& newExplanation(Control& parent, const std::string& caption, int left, int top, int width, int height) {
    Label& label = newLabel(parent, caption);
    label.setPosition(left, top).setSize(width, height).setFontColor(0x626262).setFontHeight(12);
    return label;
}

GradientPanel& newEditFrame(Control& parent, int left, int top, int width, int height, EditFrameVariant variant) {
    GradientPanel& frame = newGradientPanel(parent);
    frame.setPosition(left, top).setSize(width, height);
    applyEditFramePreset(frame, variant);
    return frame;
}

// A colour slider.
GradientProgressBar& newBar(Control& parent, int left, int top, Color fillEnd) {
    GradientProgressBar& bar = newGradientProgressBar(parent);
    bar.setPosition(left, top).setSize(185, 17);
    applyBarPreset(bar, fillEnd);
    return bar;
}

// The two density bars start half way.
GradientProgressBar& newDensityBar(Control& parent, int top) {
    GradientProgressBar& bar = newGradientProgressBar(parent);
    bar.setPosition(24, top).setSize(185, 17).setFontColor(kWindowTextColor);
    bar.setProgress(50);
    applyBarPreset(bar, 0x000000);
    bar.setOuterColor(AllLooks, 0xDDDDDD);
    return bar;
}

GradientCheckBox& newFlagBox(Control& parent, const std::string& caption, int left, int top, int width, int height,
                             CheckBoxVariant variant) {
    GradientCheckBox& box = newGradientCheckBox(parent, caption);
    box.setPosition(left, top).setSize(width, height);
    if (variant == CheckBoxVariant::Small) box.setFontHeight(14);
    applyCheckBoxPreset(box, variant);
    return box;
}

}  // namespace

MainWindow::MainWindow(Application& application) : application_(application) {}

MainWindow& MainWindow::build(Application& application) {
    // The application frees the window object after every form, so no
    // control outlives the object its events refer to.
    core::Ref<MainWindow> created(new MainWindow(application));
    MainWindow& window = *created;
    window.form_ = &newForm(application, kCaption);
    application.own(std::move(created));

    window.setWindowProperties();
    window.buildMenu();
    window.createDialogs();
    window.createListControls();
    window.createSearchControls();
    window.createSettingsControls();
    window.wireEvents();
    window.form_->centre();
    application.registerMinimiseForm(*window.form_);
    window.form_->rememberShowState();
    window.onCreate();
    return window;
}

void MainWindow::setWindowProperties() {
    form_->setDoubleBuffered(true);
    form_->setClientSize(868, 630);
    form_->setIcon(GetModuleHandleW(nullptr), "ICON");
    form_->setBackgroundColor(0xE1E1E1);
    form_->setFontColor(0x000000).setFontHeight(17).setFontFace("Verdana");
    toolkit::setStatusText(*form_, StatusBar::kSimplePart, " ");
    form_->setOnClose([this](Control&, bool& accept) { onClose(accept); });
    form_->setSizeLimit(MinWidth, 877).setSizeLimit(MinHeight, 685);
}

void MainWindow::buildMenu() {
    menu_ = &newMainMenu(*form_, kMenuTemplate, static_cast<int>(kMenuTemplate.size()) - 1, nullptr);
    const auto attach = [this](int index, void (MainWindow::*command)()) {
        const MenuItemEvent event = [this, command](MainMenu&, int) { (this->*command)(); };
        menu_->attachEvents(index, {&event, 1});
    };
    attach(OpenItem, &MainWindow::openModel);
    attach(SaveItem, &MainWindow::saveModel);
    attach(SaveAsItem, &MainWindow::saveModelAs);
    attach(ExitItem, &MainWindow::exitProgram);
    attach(UndoItem, &MainWindow::undo);
    attach(RedoItem, &MainWindow::redo);
    attach(TextureFolderItem, &MainWindow::chooseTextureFolder);
    attach(ViewerOnTopItem, &MainWindow::switchViewerOnTop);
    attach(ShowViewerItem, &MainWindow::showViewer);
    attach(AboutItem, &MainWindow::showAbout);
}

void MainWindow::createDialogs() {
    folderDialog_ = &form_->own(newFolderDialog("", 0x0008));
    folderDialog_->centreOnScreen = true;
    ambientDialog_ = &form_->own(newColorDialog(ColorDialog::FullOpen));
    diffuseDialog_ = &form_->own(newColorDialog(ColorDialog::FullOpen));
    emissionDialog_ = &form_->own(newColorDialog(ColorDialog::FullOpen));
    fileDialog_ = &form_->own(newFileDialog("", "", 0));
    fileDialog_->filter = "*.4ds|*.4ds";
}

void MainWindow::createListControls() {
    listPanel_ = &newGradientPanel(*form_);
    listPanel_->setPosition(8, 8).setSize(209, 594);
    applyGroupPanelPreset(*listPanel_);
    listPanel_->setStartColor(NormalLook, 0xDBDBDB).setEndColor(NormalLook, 0xC5C5C5);
    listPanel_->setShadowColor(NormalLook, 0xC0C0C0).setGradientStyle(NormalLook, 3);
    listPanel_->setStartColor(DisabledLook, 0xC0C0C0).setEndColor(DisabledLook, 0xFFFFFF);
    listPanel_->setShadowColor(DisabledLook, 0xFFFFFF).setGradientStyle(DisabledLook, 1);
    listPanel_->setCornerWidth(AllLooks, 0).setCornerHeight(AllLooks, 0);

    listLabel_ = &newLabel(*listPanel_, "Список материалов");
    listLabel_->setPosition(8, 5).setSize(165, 17).setFontStyle(Bold).setTransparent(true);

    materialList_ = &newListView(*listPanel_, ListView::HeaderlessReportView,
                                 ListView::GridLinesOption | ListView::InfoTipsOption, nullptr, nullptr, nullptr);
    materialList_->setPosition(8, 32).setSize(189, 522).setBackgroundColor(0xF7F7F7);
    materialList_->setTextColor(0x000000).setTextBackgroundColor(0xF7F7F7);
    materialList_->addColumn("", ListView::AlignLeft, 50);

    showAllButton_ = &newGradientButton(*listPanel_, "Показать все");
    showAllButton_->setPosition(8, 561).setSize(190, 25);
    applyPushButtonPreset(*showAllButton_, 0x00FF00);
}

void MainWindow::createSearchControls() {
    searchPanel_ = &newGradientPanel(*form_);
    searchPanel_->setPosition(224, 525).setSize(637, 77);
    applyShadedGroupPanelPreset(*searchPanel_, 0xC8C8C8, 0xE4E4E4);

    searchLabel_ = &newTransparentLabel(*searchPanel_, "Поиск материала по имени изображения:", 8, 10, 617, 17);
    searchFrame_ = &newEditFrame(*searchPanel_, 24, 32, 193, 24, EditFrameVariant::Full);
    searchBox_ = &newEmbeddedEdit(*searchFrame_, UpperCase);

    findButton_ = &newGradientButton(*searchPanel_, "Найти");
    findButton_->setPosition(224, 31).setSize(129, 25).setFontHeight(14);
    applyPushButtonPreset(*findButton_, 0x00FFFF);
}

ColorChannelControls MainWindow::createColorChannel(const std::string& caption, int left, ColorDialog& dialog) {
    ColorChannelControls channel;
    channel.dialog = &dialog;
    channel.group = &newGradientPanel(*settingsPanel_);
    channel.group->setPosition(left, 32).setSize(201, 145);
    applyGroupPanelPreset(*channel.group);
    channel.group->setStartColor(NormalLook, 0xE4E4E4).setStartColor(DisabledLook, 0xDDDDDD);
    channel.group->setEndColor(AllLooks, 0xC0C0C0).setShadowColor(AllLooks, 0xC0C0C0);

    channel.caption = &newLabel(*channel.group, caption);
    channel.caption->setPosition(8, 10).setSize(185, 15).setFontHeight(14).setTransparent(true);
    channel.colorLabel = &newLabel(*channel.group, "Цвет:");
    channel.colorLabel->setPosition(8, 109).setSize(121, 15).setFontColor(0x000000).setFontHeight(14);
    channel.colorLabel->setTransparent(true);

    channel.red = &newBar(*channel.group, 8, 32, 0x0000FF);
    channel.red->setOuterColor(NormalLook, 0xDDDDDD).setOuterColor(DisabledLook, 0xC0C0C0);
    channel.green = &newBar(*channel.group, 8, 56, 0x00FF00);
    channel.green->setOuterColor(NormalLook, 0xDDDDDD).setOuterColor(DisabledLook, 0xC0C0C0);
    channel.blue = &newBar(*channel.group, 8, 80, 0xFF0000);
    channel.blue->setOuterColor(AllLooks, 0xDDDDDD);

    channel.swatch = &newGradientPanel(*channel.group);
    channel.swatch->setPosition(136, 104).setSize(57, 24);
    applySwatchPreset(*channel.swatch);
    return channel;
}

void MainWindow::createSettingsControls() {
    settingsPanel_ = &newGradientPanel(*form_);
    settingsPanel_->setPosition(224, 8).setSize(637, 514);
    applyShadedGroupPanelPreset(*settingsPanel_, 0xC5C5C5, 0xEFEFEF);
    Control& panel = *settingsPanel_;

    transparencyHint_ = &newExplanation(panel, "Все пиксели с цветом RGB, где B=0 будут прозрачны", 336, 332, 289, 13);
    transparencyHint_->setTransparent(true);
    transparencyHint_->setBackgroundColor(0xEEEEEE);
    settingsLabel_ = &newLabel(panel, "Настройки материала");
    settingsLabel_->setPosition(8, 5).setSize(177, 17).setFontStyle(Bold).setTransparent(true);
    reflectionLabel_ = &newTransparentLabel(panel, "Текстура отражения:", 8, 184, 305, 17);
    reflectionDensityLabel_ = &newLabel(panel, "Плотность:");
    reflectionDensityLabel_->setPosition(16, 202).setSize(297, 15).setFontHeight(14).setTransparent(true);
    reflectionBitmapLabel_ = &newLabel(panel, "Bitmap:");
    reflectionBitmapLabel_->setPosition(16, 242).setSize(289, 15).setFontHeight(14).setTransparent(true);
    alphaBitmapLabel_ = &newLabel(panel, "Bitmap:");
    alphaBitmapLabel_->setPosition(16, 412).setSize(297, 15).setFontHeight(14).setTransparent(true);
    diffuseBitmapLabel_ = &newLabel(panel, "Bitmap:");
    diffuseBitmapLabel_->setPosition(16, 348).setSize(297, 15).setFontHeight(14).setTransparent(true);
    diffuseDensityLabel_ = &newLabel(panel, "Плотность:");
    diffuseDensityLabel_->setPosition(16, 306).setSize(297, 15).setFontHeight(14).setTransparent(true);
    diffuseLabel_ = &newTransparentLabel(panel, "Основная текстура:", 8, 288, 305, 17);
    alphaLabel_ = &newTransparentLabel(panel, "Alfa текстура:", 8, 392, 305, 17);

    reflectionDensityBar_ = &newDensityBar(panel, 220);
    diffuseDensityBar_ = &newDensityBar(panel, 324);

    animationPanel_ = &newGradientPanel(panel);
    animationPanel_->setPosition(322, 363).setSize(305, 143);
    applyShadedGroupPanelPreset(*animationPanel_, 0xC0C0C0, 0xE2E2E2);

    animationHint_ = &newExplanation(*animationPanel_,
                                     "Основная текстура должна иметь имя формата *XX.BMP, где XX - порядковый номер "
                                     "текстуры в видеоряде.",
                                     8, 96, 289, 41);
    animationHint_->setTextAlignment(CentredText);
    animationHint_->setTransparent(true);
    animationHint_->setBackgroundColor(0xEEEEEE);
    framesLabel_ = &newLabel(*animationPanel_, "Количество кадров:");
    framesLabel_->setPosition(8, 37).setSize(193, 15).setFontColor(0x000000).setFontHeight(14).setTransparent(true);
    delayLabel_ = &newLabel(*animationPanel_, "Задержка пролистывания:");
    delayLabel_->setPosition(8, 69).setSize(193, 15).setFontColor(0x000000).setFontHeight(14).setTransparent(true);

    delayFrame_ = &newGradientPanel(*animationPanel_);
    delayFrame_->setPosition(208, 64).setSize(89, 25).setFontHeight(14);
    applyEditFramePreset(*delayFrame_, EditFrameVariant::NormalOnly);
    delayBox_ = &newEmbeddedEdit(*delayFrame_, DigitsOnly);
    delayBox_->setCaption("0").setEnabled(false);
    framesFrame_ = &newEditFrame(*animationPanel_, 208, 32, 89, 25, EditFrameVariant::NormalOnly);
    framesBox_ = &newEmbeddedEdit(*framesFrame_, DigitsOnly);
    framesBox_->setCaption("0").setEnabled(false);

    animateBox_ = &newGradientCheckBox(*animationPanel_, "Анимировать текстуру");
    animateBox_->setPosition(8, 6).setSize(289, 21).setFontColor(0x000000);
    applyCheckBoxPreset(*animateBox_, CheckBoxVariant::Large);

    reflectionNameFrame_ = &newEditFrame(panel, 24, 260, 185, 24, EditFrameVariant::Full);
    reflectionNameBox_ = &newEmbeddedEdit(*reflectionNameFrame_, UpperCase);
    alphaNameFrame_ = &newEditFrame(panel, 24, 430, 185, 24, EditFrameVariant::Full);
    alphaNameBox_ = &newEmbeddedEdit(*alphaNameFrame_, UpperCase);
    diffuseNameFrame_ = &newEditFrame(panel, 24, 366, 185, 24, EditFrameVariant::Full);
    diffuseNameBox_ = &newEmbeddedEdit(*diffuseNameFrame_, UpperCase);

    diffuseChannel_ = createColorChannel("Diffuse канал", 216, *diffuseDialog_);
    ambientChannel_ = createColorChannel("Ambient канал", 8, *ambientDialog_);
    emissionChannel_ = createColorChannel("Emission канал", 424, *emissionDialog_);

    viewerButton_ = &newGradientButton(panel, "Viewer");
    viewerButton_->setPosition(8, 469).setSize(129, 25).setFontHeight(14);
    applyPushButtonPreset(*viewerButton_, 0x00FFFF);

    doubleSidedBox_ = &newFlagBox(panel, "Видимость с 2х сторон ", 336, 240, 289, 20, CheckBoxVariant::Small);
    diffuseHighlightBox_ =
        &newFlagBox(panel, "Подсвечивать diff. текстуру ", 336, 264, 289, 20, CheckBoxVariant::Small);
    alphaHighlightBox_ = &newFlagBox(panel, "Подсвечивать alfa текстуру", 336, 288, 289, 20, CheckBoxVariant::Small);
    colorTransparencyBox_ =
        &newFlagBox(panel, "Использовать прозрачность цветов ", 336, 312, 289, 20, CheckBoxVariant::Small);
    extraSettingsBox_ = &newFlagBox(panel, "Использовать доп. настройки", 320, 214, 305, 21, CheckBoxVariant::Large);
    diffuseChannelBox_ =
        &newFlagBox(panel, "Использовать diff. канал (?)", 320, 190, 305, 21, CheckBoxVariant::Large);
}

void MainWindow::showHintOnEnter(Control& control, const char* hint) {
    control.setOnMouseEnter([this, hint](Control&) { setStatusText(hint); });
}

void MainWindow::clearHintOnLeave(Control& control) {
    control.setOnMouseLeave([this](Control&) { setStatusText(""); });
}

void MainWindow::wireEvents() {
    const auto wireBar = [this](GradientProgressBar& bar) {
        bar.setOnMouseDown([this](Control& sender, const MouseInfo& mouse) {
            sliderPressed(static_cast<GradientProgressBar&>(sender), mouse);
        });
        bar.setOnMouseUp([](Control& sender, const MouseInfo&) {
            endSliderDrag(static_cast<GradientProgressBar&>(sender));
        });
        showHintOnEnter(bar, kBarHint);
        bar.setOnMouseLeave([this](Control& sender) {
            endSliderDrag(static_cast<GradientProgressBar&>(sender));
            setStatusText("");
        });
    };
    const auto wireChannel = [this, &wireBar](ColorChannelControls& channel) {
        const auto bars = channel.bars();
        for (std::size_t i = 0; i < bars.size(); ++i) {
            wireBar(*bars[i]);
            bars[i]->setOnPositionChange([&channel, i](Control&, int position) {
                colorFromSlider(channel, static_cast<int>(i), position);
            });
        }
        channel.swatch->setOnMouseDown([this, &channel](Control&, const MouseInfo&) { chooseColor(channel); });
        showHintOnEnter(*channel.swatch, kSwatchHint);
        clearHintOnLeave(*channel.swatch);
    };
    const auto wireEdit = [this](EditBox& box, auto keyTyped) {
        box.setBackgroundColor(kEmbeddedEditBackground);
        showHintOnEnter(box, kEditHint);
        clearHintOnLeave(box);
        box.setOnKeyChar([this, keyTyped](Control&, char& character, std::uint32_t) { keyTyped(character); });
    };
    const auto wireFlagBox = [this](GradientCheckBox& box) {
        box.setOnClick([this](Control& sender) { flagBoxClicked(static_cast<GradientCheckBox&>(sender)); });
    };

    folderDialog_->owner = form_->createWindow();
    searchBox_->setBackgroundColor(kEmbeddedEditBackground);
    findButton_->setOnClick([this](Control&) { search(); });
    findButton_->setAnchors(true, false, false, true);
    settingsPanel_->setAnchors(false, true, true, true);
    wireChannel(ambientChannel_);
    animationPanel_->setAnchors(true, false, false, true);
    animateBox_->setOnClick([this](Control&) { checkAnimation(); });
    wireEdit(*delayBox_, [this](char character) { delayKeyTyped(character); });
    wireEdit(*framesBox_, [this](char character) { framesKeyTyped(character); });
    wireChannel(diffuseChannel_);
    wireChannel(emissionChannel_);
    wireBar(*reflectionDensityBar_);
    searchPanel_->setAnchors(false, false, true, true);
    wireEdit(*reflectionNameBox_, [this](char character) { nameKeyTyped(model::ReflectionKind, character); });
    viewerButton_->setOnClick([this](Control&) { showViewer(); });
    for (GradientCheckBox* box :
         {doubleSidedBox_, diffuseHighlightBox_, alphaHighlightBox_, colorTransparencyBox_, extraSettingsBox_})
        wireFlagBox(*box);
    wireEdit(*alphaNameBox_, [this](char character) { nameKeyTyped(model::AlphaKind, character); });
    wireEdit(*diffuseNameBox_, [this](char character) { nameKeyTyped(model::DiffuseKind, character); });
    wireBar(*diffuseDensityBar_);
    listPanel_->setAnchors(true, true, true, true);
    materialList_->setOnResize([this](Control&) { fitListColumn(); });
    materialList_->setOnItemState(
        [this](Control&, int, int last, UINT oldState, UINT newState) { onListItemState(last, oldState, newState); });
    materialList_->setAnchors(true, true, true, true);
    showAllButton_->setOnClick([this](Control&) { showAll(); });
    showAllButton_->setAnchors(true, false, true, true);
    fileDialog_->owner = form_->handle();
    form_->setOnFilesDropped([this](Control&, const std::vector<std::wstring>& paths) {
        if (!paths.empty()) openModelAt(paths.front());
    });
    application_.setPreFilter([this](MSG& message) { return takeShortcut(message); });
}

}  // namespace editor
