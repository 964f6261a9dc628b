// The main window: the material list on the left, the material settings on
// the right, the menu and the status bar; and the program's behaviour
// behind them (start-up, settings, opening and saving models).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/object.h"
#include "model/edit_history.h"
#include "model/material_edit.h"
#include "model/model_file.h"
#include "toolkit/gradient/gradient.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/dialogs.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/list_view.h"
#include "toolkit/windows/main_menu.h"
#include "toolkit/windows/plain_controls.h"
#include "toolkit/windows/status_bar.h"

namespace editor {

class ViewerWindow;

// One colour channel's controls: a group with red, green and blue sliders
// and a swatch; the channel's colour is its dialog's current colour.
struct ColorChannelControls {
    toolkit::GradientPanel* group = nullptr;
    toolkit::Label* caption = nullptr;
    toolkit::Label* colorLabel = nullptr;
    toolkit::GradientProgressBar* red = nullptr;
    toolkit::GradientProgressBar* green = nullptr;
    toolkit::GradientProgressBar* blue = nullptr;
    toolkit::GradientPanel* swatch = nullptr;
    toolkit::ColorDialog* dialog = nullptr;

    std::array<toolkit::GradientProgressBar*, 3> bars() const { return {red, green, blue}; }
    // The colour byte of a component (0 red, 1 green, 2 blue).
    std::uint8_t component(int index) const;
    void setComponent(int index, std::uint8_t value);
};

// What the panel holds of a material, in the panel's own terms: enough to
// tell what the user changed since the material was shown.
struct PanelState {
    std::array<std::array<int, 3>, 3> colorPositions{};  // ambient, diffuse, emission; red, green, blue
    int reflectionDensityPosition = 0;
    int densityPosition = 0;
    std::array<std::string, 3> names;  // by model::TextureKind
    std::uint32_t editorFlags = 0;     // the six check boxes
    bool animated = false;
    std::uint8_t frames = 0;
    std::uint32_t delay = 0;
};

class MainWindow : public core::ToolkitObject {
public:
    static constexpr char kCaption[] = "Skirvane.textures";
    static constexpr char kSettingsFile[] = "Skirvane.ini";
    static constexpr char kSettingsSection[] = "Paths";
    static constexpr char kTextureFolderKey[] = "MAPS";
    static constexpr char kDefaultTextureFolder[] = "z:\\";
    static constexpr char kFolderDialogTitle[] = "Выберите папку с изображениями\r[ для вьювера ]";
    // A texture name or a search text with a character the model's names cannot hold.
    static constexpr char kNameNotInCodePage[] = "Имя текстуры может содержать только символы кодовой страницы 1251";

    // Menu items by index in the menu template.
    enum MenuIndex : int {
        OpenItem = 1,
        SaveItem = 2,
        SaveAsItem = 3,
        ExitItem = 5,
        UndoItem = 7,
        RedoItem = 8,
        TextureFolderItem = 9,
        ViewerOnTopItem = 11,
        ShowViewerItem = 12,
        AboutItem = 14,
    };

    // Builds the window with its menu, dialogs and controls, wires the
    // events and runs the create handler. The application owns the result.
    static MainWindow& build(toolkit::Application& application);

    // The viewer the panel hands texture names to and the menu shows.
    void attachViewer(ViewerWindow& viewer);
    // Opens the model at the path as Open would (the program's argument, a
    // dropped file), asking first about unsaved changes.
    void openModelAt(const std::wstring& path);
    // The same at start, unless the start-up step is ending the program.
    void openAtStart(const std::wstring& path);
    // The keyboard shortcuts, taken before the message reaches its window;
    // true for a message that was one.
    bool takeShortcut(const MSG& message);

    toolkit::Form& form() const { return *form_; }
    const model::ModelFile& model() const { return model_; }
    const std::string& textureFolder() const { return textureFolder_; }

private:
    explicit MainWindow(toolkit::Application& application);

    // Construction, in the order the layout gives it.
    void setWindowProperties();
    void buildMenu();
    void createDialogs();
    void createListControls();
    void createSearchControls();
    void createSettingsControls();
    ColorChannelControls createColorChannel(const std::string& caption, int left, toolkit::ColorDialog& dialog);
    void wireEvents();

    // Start-up settings step, and the commands of the menu.
    void onCreate();
    void onClose(bool& accept);
    void openModel();
    void saveModel();
    void saveModelAs();
    void exitProgram();
    // Loads the model file, which Save then writes to; a refused file brings
    // its message and leaves the open model as it was.
    bool loadModel(const std::string& path);
    // Writes the model to the file last chosen; true when it was written.
    bool writeModel();
    // Asks for a file name, then writes the model there; true when written.
    bool writeModelAs();
    // Before the open model is dropped (exit, close, open): the panel is
    // written back, and unsaved changes bring the question whether to save
    // them. True when the caller may go on.
    bool readyToDropModel();
    // The materials are released: nothing may reach them any more.
    void releaseModel();
    // Undo and redo: the panel is written back first (its change a step of
    // its own), then the material of the step gets its state back and is
    // shown in its row, the whole list filled when a search hides it.
    void undo();
    void redo();
    void restoreMaterial(std::int32_t number, const model::MaterialState& state);
    // Undo and redo are offered only when there is a step to take.
    void updateUndoItems();
    void chooseTextureFolder();
    void showAbout();
    void showViewer();
    void switchViewerOnTop();

    // The material list.
    void fillList();
    void showAll();
    void search();
    void refreshShownRow();
    void onListItemState(int row, UINT oldState, UINT newState);
    void fitListColumn();
    // The row's text: its material's number in brackets and the joined
    // texture names.
    static std::string rowText(std::int32_t number, const std::string& joinedNames);
    void addRow(std::int32_t number, model::Material& material);

    // The two directions of the copy between a material and the panel.
    void showMaterial(model::Material& material);
    void applyPanel();
    // Makes the change and records it as a step when the material changed.
    void changeMaterial(model::Material& material, const model::MaterialEdit& edit);
    // What the panel shows, kept by a handler that waits on a dialog or a
    // message box: the main window stays usable meanwhile, and the handler
    // goes on only while the panel still shows the same material.
    struct PanelShowing {
        model::Material* material;
        std::uint64_t model;  // which of the models opened
    };
    PanelShowing panelShowing() const { return {currentMaterial_, modelsOpened_}; }
    bool stillShows(const PanelShowing& showing) const {
        return showing.material == currentMaterial_ && showing.model == modelsOpened_;
    }
    // Shows an information notice; true when the panel still shows what it
    // showed before, so that the handler may go on.
    bool noticeKeptThePanel(const char* text);
    PanelState panelState() const;
    // A material's colour and a change's colour by channel (0 ambient,
    // 1 diffuse, 2 emission).
    static const model::Color& storedColor(const model::Material& material, std::size_t channel);
    static model::MaterialEdit::ColorEdit& editedColor(model::MaterialEdit& edit, std::size_t channel);
    // The change that turns what was shown into what the panel holds now.
    model::MaterialEdit panelEdit(const PanelState& now) const;

    // The flag check boxes and their rules, the texture-name, frame-count and
    // delay boxes, and the animation check.
    std::array<std::pair<toolkit::GradientCheckBox*, std::uint32_t>, 6> flagBoxes() const;
    void flagBoxClicked(toolkit::GradientCheckBox& box);
    void nameKeyTyped(model::TextureKind kind, char character);
    void framesKeyTyped(char character);
    void delayKeyTyped(char character);
    void checkAnimation();
    void showAnimationSettings();
    toolkit::EditBox& nameBox(model::TextureKind kind) const;
    std::string& panelName(model::TextureKind kind);

    // The colour channels and the slider behaviour of every bar.
    std::array<ColorChannelControls*, 3> channels() { return {&ambientChannel_, &diffuseChannel_, &emissionChannel_}; }
    std::array<const ColorChannelControls*, 3> channels() const {
        return {&ambientChannel_, &diffuseChannel_, &emissionChannel_};
    }
    void sliderPressed(toolkit::GradientProgressBar& bar, const toolkit::MouseInfo& mouse);
    void sliderDragged(toolkit::GradientProgressBar& bar, const toolkit::MouseInfo& mouse);
    static void endSliderDrag(toolkit::GradientProgressBar& bar);
    static void colorFromSlider(ColorChannelControls& channel, int component, int position);
    void chooseColor(ColorChannelControls& channel);
    // The channel's colour put on its bars' levels, the swatch following.
    static void setChannelColor(ColorChannelControls& channel, toolkit::Color color);
    // A colour chosen for a material the panel no longer shows goes into
    // that material itself.
    void writeChosenColor(model::Material& material, const ColorChannelControls& channel, toolkit::Color color);

    // The settings file beside the program.
    std::filesystem::path settingsPath() const { return programFolder_ / kSettingsFile; }
    std::string readTextureFolderSetting(const std::string& defaultValue) const;
    void writeTextureFolderSetting(const std::string& folder) const;

    void setStatusText(const std::string& text);
    // Status hints over a control, cleared when the pointer leaves it.
    void showHintOnEnter(toolkit::Control& control, const char* hint);
    void clearHintOnLeave(toolkit::Control& control);

    toolkit::Application& application_;
    toolkit::Form* form_ = nullptr;
    toolkit::MainMenu* menu_ = nullptr;
    toolkit::FolderDialog* folderDialog_ = nullptr;
    toolkit::ColorDialog* ambientDialog_ = nullptr;
    toolkit::ColorDialog* diffuseDialog_ = nullptr;
    toolkit::ColorDialog* emissionDialog_ = nullptr;
    toolkit::FileDialog* fileDialog_ = nullptr;

    // Material list (left).
    toolkit::GradientPanel* listPanel_ = nullptr;
    toolkit::Label* listLabel_ = nullptr;
    toolkit::ListView* materialList_ = nullptr;
    toolkit::GradientButton* showAllButton_ = nullptr;

    // Search (bottom right).
    toolkit::GradientPanel* searchPanel_ = nullptr;
    toolkit::Label* searchLabel_ = nullptr;
    toolkit::GradientPanel* searchFrame_ = nullptr;
    toolkit::EditBox* searchBox_ = nullptr;
    toolkit::GradientButton* findButton_ = nullptr;

    // Material settings (right).
    toolkit::GradientPanel* settingsPanel_ = nullptr;
    toolkit::Label* transparencyHint_ = nullptr;
    toolkit::Label* settingsLabel_ = nullptr;
    toolkit::Label* reflectionLabel_ = nullptr;
    toolkit::Label* reflectionDensityLabel_ = nullptr;
    toolkit::Label* reflectionBitmapLabel_ = nullptr;
    toolkit::Label* alphaBitmapLabel_ = nullptr;
    toolkit::Label* diffuseBitmapLabel_ = nullptr;
    toolkit::Label* diffuseDensityLabel_ = nullptr;
    toolkit::Label* diffuseLabel_ = nullptr;
    toolkit::Label* alphaLabel_ = nullptr;
    toolkit::GradientProgressBar* reflectionDensityBar_ = nullptr;
    toolkit::GradientProgressBar* diffuseDensityBar_ = nullptr;
    toolkit::GradientPanel* animationPanel_ = nullptr;
    toolkit::Label* animationHint_ = nullptr;
    toolkit::Label* framesLabel_ = nullptr;
    toolkit::Label* delayLabel_ = nullptr;
    toolkit::GradientPanel* delayFrame_ = nullptr;
    toolkit::EditBox* delayBox_ = nullptr;
    toolkit::GradientPanel* framesFrame_ = nullptr;
    toolkit::EditBox* framesBox_ = nullptr;
    toolkit::GradientCheckBox* animateBox_ = nullptr;
    toolkit::GradientPanel* reflectionNameFrame_ = nullptr;
    toolkit::EditBox* reflectionNameBox_ = nullptr;
    toolkit::GradientPanel* alphaNameFrame_ = nullptr;
    toolkit::EditBox* alphaNameBox_ = nullptr;
    toolkit::GradientPanel* diffuseNameFrame_ = nullptr;
    toolkit::EditBox* diffuseNameBox_ = nullptr;
    ColorChannelControls diffuseChannel_;
    ColorChannelControls ambientChannel_;
    ColorChannelControls emissionChannel_;
    toolkit::GradientButton* viewerButton_ = nullptr;
    toolkit::GradientCheckBox* doubleSidedBox_ = nullptr;
    toolkit::GradientCheckBox* diffuseHighlightBox_ = nullptr;
    toolkit::GradientCheckBox* alphaHighlightBox_ = nullptr;
    toolkit::GradientCheckBox* colorTransparencyBox_ = nullptr;
    toolkit::GradientCheckBox* extraSettingsBox_ = nullptr;
    toolkit::GradientCheckBox* diffuseChannelBox_ = nullptr;

    // Behaviour state.
    ViewerWindow* viewer_ = nullptr;
    model::ModelFile model_;
    // Counts the models opened and released, so that a material kept across
    // a dialog is never taken for one of a later model at the same address.
    std::uint64_t modelsOpened_ = 0;
    // Every change that reached a material since the model was opened; it
    // also tells whether anything is unsaved.
    model::EditHistory history_;
    // The folder dialog at start was cancelled: the program is ending.
    bool ending_ = false;
    // The material the panel shows and writes back into (none before the
    // first show and once its model is gone), and the panel as it was shown
    // or last written back.
    model::Material* currentMaterial_ = nullptr;
    PanelState shownState_;
    std::string panelReflectionName_;
    std::string panelDiffuseName_;
    std::string panelAlphaName_;
    std::uint8_t panelFrames_ = 0;
    std::int32_t panelDelay_ = 0;
    std::filesystem::path programFolder_;
    std::string textureFolder_;
};

}  // namespace editor
