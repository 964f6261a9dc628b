// Every gradient-styled control in each of its looks: normal, over (a
// synthetic mouse move), down (a synthetic press), disabled and checked,
// with the default looks and with the settings the editor's windows use.
// Meant to be looked at in a screenshot (tools/screenshot.sh).
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "core/object.h"
#include "editor/presets.h"
#include "toolkit/gradient/gradient.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/plain_controls.h"

using namespace toolkit;
using namespace editor;

namespace {

enum class State { Normal, Over, Down, Disabled, Checked };

constexpr State kStates[] = {State::Normal, State::Over, State::Down, State::Disabled, State::Checked};
const char* const kStateNames[] = {"обычный", "наведение", "нажатие", "отключён", "отмечен"};

constexpr int kFirstColumn = 170;
constexpr int kColumnWidth = 150;
constexpr int kButtonWidth = 136;

// Puts the control into its state once the windows are on screen.
void enterState(GradientControl& control, State state) {
    HWND window = control.createWindow();
    switch (state) {
        case State::Over:
            SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            break;
        case State::Down:
            SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            break;
        case State::Disabled:
            control.setEnabled(false);
            break;
        case State::Checked:
            if (auto* box = dynamic_cast<GradientCheckBox*>(&control)) box->setChecked(true);
            break;
        case State::Normal:
            break;
    }
}

// Remembers which control goes into which state, to be done once shown.
class StatePlan {
public:
    void place(GradientControl& control, State state) { placed_.push_back({&control, state}); }
    void enterStates() const {
        for (const auto& [control, state] : placed_) enterState(*control, state);
    }

private:
    std::vector<std::pair<GradientControl*, State>> placed_;
};

void rowTitle(Control& parent, int top, const std::string& text) {
    newLabel(parent, text).setPosition(10, top + 6).setSize(kFirstColumn - 14, 20).setTransparent(true);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    core::Ref<Application> application = newApplication("Skirvane");
    Form& form = newForm(*application, "Градиентные элементы: все виды");
    form.setPosition(10, 10);
    form.setClientSize(960, 700);
    form.setBackgroundColor(0xE1E1E1);
    form.setFontFace("Verdana").setFontHeight(17).setFontColor(0);
    StatePlan plan;

    for (int column = 0; column < 5; ++column)
        newLabel(form, kStateNames[column]).setPosition(kFirstColumn + column * kColumnWidth, 8).setSize(130, 20);

    // Buttons: the default looks, the push button and the viewer's tab buttons.
    int top = 34;
    const struct {
        const char* title;
        int preset;  // 0 default, 1 push button, 2 tab button
    } buttonRows[] = {{"Кнопка", 0}, {"Кнопка (пресет)", 1}, {"Вкладка", 2}};
    for (const auto& row : buttonRows) {
        rowTitle(form, top, row.title);
        for (int column = 0; column < 4; ++column) {
            GradientButton& button = newGradientButton(form, row.preset == 2 ? "Env" : "Показать все");
            button.setPosition(kFirstColumn + column * kColumnWidth, top).setSize(kButtonWidth, 30);
            if (row.preset == 1) applyPushButtonPreset(button, 0x00FF00);
            if (row.preset == 2) {
                applyTabButtonPreset(button, column == 0 ? 0xEEEEEE : 0xC0C0C0);
                button.setFontHeight(14);
            }
            plan.place(button, kStates[column]);
        }
        top += 44;
    }

    // Check boxes with the default looks.
    rowTitle(form, top, "Флажок");
    for (int column = 0; column < 5; ++column) {
        GradientCheckBox& box = newGradientCheckBox(form, "Флажок");
        box.setPosition(kFirstColumn + column * kColumnWidth, top + 2).setSize(kButtonWidth, 24);
        plan.place(box, kStates[column]);
    }
    top += 40;

    // The editor's check boxes, transparent over a gradient panel.
    GradientPanel& settings = newGradientPanel(form);
    settings.setPosition(4, top).setSize(952, 112);
    applyShadedGroupPanelPreset(settings, 0xC5C5C5, 0xEFEFEF);
    top += 8;
    const struct {
        const char* title;
        bool large;
    } boxRows[] = {{"Флажок (большой)", true}, {"Флажок (малый)", false}};
    int panelTop = 8;
    for (const auto& row : boxRows) {
        rowTitle(settings, panelTop - 2, row.title);
        for (int column = 0; column < 5; ++column) {
            GradientCheckBox& box = newGradientCheckBox(settings, row.large ? "Анимировать" : "Видимость");
            box.setPosition(kFirstColumn - 4 + column * kColumnWidth, panelTop);
            box.setSize(kButtonWidth, row.large ? 21 : 20);
            if (!row.large) box.setFontHeight(14);
            applyCheckBoxPreset(box, row.large ? CheckBoxVariant::Large : CheckBoxVariant::Small);
            plan.place(box, kStates[column]);
        }
        panelTop += 32;
    }
    // Radio boxes on the same panel: the dot, and one of the group on.
    rowTitle(settings, panelTop - 2, "Переключатель");
    for (int column = 0; column < 5; ++column) {
        GradientRadioBox& radio = newGradientRadioBox(settings, "Выбор");
        radio.setPosition(kFirstColumn - 4 + column * kColumnWidth, panelTop).setSize(kButtonWidth, 21);
        radio.setTransparent(true);
        plan.place(radio, kStates[column]);
    }
    top += 112;

    // Panels: the default look with its caption at the top, a group panel
    // holding an edit frame, a colour swatch, a disabled group panel.
    rowTitle(form, top, "Панель");
    GradientPanel& plain = newGradientPanel(form);
    plain.setPosition(kFirstColumn, top).setSize(kButtonWidth, 90).setCaption("Заголовок панели");
    GradientPanel& group = newGradientPanel(form);
    group.setPosition(kFirstColumn + kColumnWidth, top).setSize(kButtonWidth, 90);
    applyGroupPanelPreset(group);
    group.setStartColor(NormalLook, 0xE4E4E4).setStartColor(DisabledLook, 0xDDDDDD);
    group.setEndColor(AllLooks, 0xC0C0C0).setShadowColor(AllLooks, 0xC0C0C0);
    newLabel(group, "Diffuse канал").setPosition(8, 8).setSize(120, 16).setFontHeight(14).setTransparent(true);
    GradientPanel& frame = newGradientPanel(group);
    frame.setPosition(8, 32).setSize(118, 24);
    applyEditFramePreset(frame, EditFrameVariant::Full);
    newEmbeddedEdit(frame, UpperCase).setCaption("ТЕКСТУРА.BMP");
    GradientPanel& swatch = newGradientPanel(group);
    swatch.setPosition(70, 62).setSize(57, 24);
    applySwatchPreset(swatch);
    swatch.setStartColor(NormalLook, 0x3080E0);
    GradientPanel& rounded = newGradientPanel(form);
    rounded.setPosition(kFirstColumn + 2 * kColumnWidth, top).setSize(kButtonWidth, 90).setCaption("Скругление");
    rounded.setCornerWidth(AllLooks, 20).setCornerHeight(AllLooks, 20).setBorderWidth(AllLooks, 3);
    rounded.setGradientStyle(NormalLook, 5).setOuterColor(AllLooks, 0xE1E1E1);
    GradientPanel& off = newGradientPanel(form);
    off.setPosition(kFirstColumn + 3 * kColumnWidth, top).setSize(kButtonWidth, 90).setCaption("Отключена");
    applyShadedGroupPanelPreset(off, 0xC8C8C8, 0xE4E4E4);
    plan.place(off, State::Disabled);
    GradientPanel& sharp = newGradientPanel(form);
    sharp.setPosition(kFirstColumn + 4 * kColumnWidth, top).setSize(kButtonWidth, 90).setCaption("Без сглаживания");
    sharp.setCornerWidth(AllLooks, 20).setCornerHeight(AllLooks, 20).setBorderWidth(AllLooks, 3);
    sharp.setGradientStyle(NormalLook, 4).setOuterColor(AllLooks, 0xE1E1E1).setSmoothCorners(false);
    top += 104;

    // Progress bars: the default look with its position as text, the
    // editor's sliders at 0, 50 and 100, a disabled one, and a vertical bar.
    rowTitle(form, top, "Полоса");
    GradientProgressBar& standard = newGradientProgressBar(form);
    standard.setPosition(kFirstColumn, top).setSize(kButtonWidth, 21);
    standard.setProgress(30);
    const Color fills[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x000000};
    const int positions[] = {0, 50, 100, 70};
    for (int column = 1; column < 5; ++column) {
        GradientProgressBar& bar = newGradientProgressBar(form);
        bar.setPosition(kFirstColumn + column * kColumnWidth, top + 2).setSize(kButtonWidth, 17);
        applyBarPreset(bar, fills[column - 1]);
        bar.setOuterColor(AllLooks, 0xDDDDDD);
        bar.setProgress(positions[column - 1]);
        if (column == 4) plan.place(bar, State::Disabled);
    }
    GradientProgressBar& tall = newGradientProgressBar(form);
    tall.setVertical(true).setPosition(kFirstColumn, top + 30).setSize(21, 100);
    tall.setProgress(65);
    GradientProgressBar& wide = newGradientProgressBar(form);
    wide.setPosition(kFirstColumn + 40, top + 30).setSize(280, 28).setCaption(" %");
    wide.setProgress(42);

    // Pointer away from every control, so that only the messages below
    // set the looks.
    // Once the form is up and active (so that the last control pressed
    // keeps the focus and shows its rectangle), the pointer goes away from
    // every control and the messages below set the looks.
    static const StatePlan* pending = &plan;
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        if (pending == nullptr) return;
        POINT corner{950, 690};
        ClientToScreen(GetForegroundWindow(), &corner);
        SetCursorPos(corner.x, corner.y);
        std::exchange(pending, nullptr)->enterStates();
    });
    application->run();
    return 0;
}
