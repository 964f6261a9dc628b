#include "panel_driver.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "editor/control_ids.h"
#include "model_bytes.h"
#include "ppm_picture.h"

namespace panel_driver {

using editor_driver::EditorSession;
using test_support::Picture;

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";

constexpr int kRedBoxId = 706;          // COLOR_RED of the colour dialog; green and blue follow
constexpr int kMessageIconId = 0x0440;  // stc1: the icon of a message box
constexpr UINT kMessageTimeout = 5000;

// The check mark colours of the program's two check-box variants.
constexpr std::uint32_t kRedMark = 0xFF0000;
constexpr std::uint32_t kBlueMark = 0x0000FF;
// The mark has 37 pixels; fewer than this many is no mark.
constexpr int kMarkPixels = 20;

const std::vector<std::string> kOpenItem{"Файл", "Открыть.."};
const std::vector<std::string> kSaveItem{"Файл", "Сохранить"};

// A picture unchanged for this long is taken as painted; a caret blinks
// more slowly.
constexpr ULONGLONG kSteadyMilliseconds = 200;
constexpr int kSteadyTimeout = 3000;

// Returns once the program has taken every message sent to it before.
bool answersMessages(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeout, &ignored) != 0;
}

ChannelControls channelControls(HWND mainWindow, int channel) {
    using editor_driver::findControl;
    return {findControl(mainWindow, editor::channelControlId(channel, 0)),
            findControl(mainWindow, editor::channelControlId(channel, 1)),
            findControl(mainWindow, editor::channelControlId(channel, 2)),
            findControl(mainWindow, editor::channelControlId(channel, editor::kSwatchPart))};
}

bool channelComplete(const ChannelControls& channel) {
    return channel.red != nullptr && channel.green != nullptr && channel.blue != nullptr && channel.swatch != nullptr;
}

void sendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

DWORD downFlag(Button button) {
    switch (button) {
        case Button::Right:
            return MOUSEEVENTF_RIGHTDOWN;
        case Button::Middle:
            return MOUSEEVENTF_MIDDLEDOWN;
        case Button::Left:
            break;
    }
    return MOUSEEVENTF_LEFTDOWN;
}

DWORD upFlag(Button button) {
    switch (button) {
        case Button::Right:
            return MOUSEEVENTF_RIGHTUP;
        case Button::Middle:
            return MOUSEEVENTF_MIDDLEUP;
        case Button::Left:
            break;
    }
    return MOUSEEVENTF_LEFTUP;
}

int markPixels(const Picture& picture) {
    return static_cast<int>(std::count_if(picture.pixels.begin(), picture.pixels.end(),
                                          [](std::uint32_t pixel) { return pixel == kRedMark || pixel == kBlueMark; }));
}

// The system icon as a static control draws it: over the background it
// shows at its corner, at the control's size.
Picture drawnIcon(LPCWSTR iconName, int width, int height, std::uint32_t background) {
    Picture picture;
    HICON icon = LoadIconW(nullptr, iconName);
    if (icon == nullptr) return picture;
    std::uint32_t* pixels = nullptr;
    HBITMAP section = editor_driver::newPixelSection(width, height, pixels);
    if (section == nullptr) return picture;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::fill(pixels, pixels + count, background);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, section);
    DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    GdiFlush();
    picture.width = width;
    picture.height = height;
    for (std::size_t i = 0; i < count; ++i) picture.pixels.push_back(pixels[i] & 0xFFFFFF);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(section);
    return picture;
}

MessageIcon iconOf(HWND box) {
    HWND icon = GetDlgItem(box, kMessageIconId);
    if (icon == nullptr || !IsWindowVisible(icon)) return MessageIcon::None;
    const Picture shown = editor_driver::screenPicture(icon);
    if (shown.pixels.empty()) return MessageIcon::Unknown;
    // The system icons by number: IDI_INFORMATION, IDI_WARNING, IDI_ERROR and IDI_QUESTION.
    const struct {
        MessageIcon icon;
        WORD id;
    } candidates[] = {{MessageIcon::Information, 32516},
                      {MessageIcon::Warning, 32515},
                      {MessageIcon::Error, 32513},
                      {MessageIcon::Question, 32514}};
    for (const auto& candidate : candidates) {
        const Picture drawn = drawnIcon(MAKEINTRESOURCEW(candidate.id), shown.width, shown.height, shown.at(0, 0));
        if (!drawn.pixels.empty() && test_support::pictureDifferences(shown, drawn, 8).empty()) return candidate.icon;
    }
    return MessageIcon::Unknown;
}

std::vector<std::string> shownButtons(HWND box) {
    std::vector<std::string> buttons;
    for (const editor_driver::ChildWindow& child : editor_driver::childWindows(box))
        if (child.visible && editor_driver::hasClass(child.handle, L"Button")) buttons.push_back(child.text);
    return buttons;
}

std::optional<int> shownNumber(HWND box) {
    const std::string text = editor_driver::windowText(box);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::atoi(text.c_str());
}

}  // namespace

// --- the panel's controls -----------------------------------------------------------

std::array<HWND, 6> PanelControls::flagBoxes() const {
    return {diffuseChannelBox,   extraSettingsBox,  doubleSidedBox,
            diffuseHighlightBox, alphaHighlightBox, colorTransparencyBox};
}

bool PanelControls::complete() const {
    const std::array<HWND, 9> others{materialList,   reflectionDensityBar, diffuseDensityBar, reflectionNameBox,
                                     diffuseNameBox, alphaNameBox,         animateBox,        framesBox,
                                     delayBox};
    const auto found = [](HWND window) { return window != nullptr; };
    const auto flags = flagBoxes();
    return channelComplete(ambient) && channelComplete(diffuse) && channelComplete(emission) &&
           std::all_of(others.begin(), others.end(), found) && std::all_of(flags.begin(), flags.end(), found);
}

PanelControls findPanelControls(HWND mainWindow) {
    using editor_driver::findControl;
    PanelControls controls;
    controls.materialList = findControl(mainWindow, editor::MaterialListId);
    controls.ambient = channelControls(mainWindow, 0);
    controls.diffuse = channelControls(mainWindow, 1);
    controls.emission = channelControls(mainWindow, 2);
    controls.reflectionDensityBar = findControl(mainWindow, editor::ReflectionDensityBarId);
    controls.diffuseDensityBar = findControl(mainWindow, editor::DiffuseDensityBarId);
    controls.reflectionNameBox = findControl(mainWindow, editor::ReflectionNameBoxId);
    controls.diffuseNameBox = findControl(mainWindow, editor::DiffuseNameBoxId);
    controls.alphaNameBox = findControl(mainWindow, editor::AlphaNameBoxId);
    controls.animateBox = findControl(mainWindow, editor::AnimateBoxId);
    controls.framesBox = findControl(mainWindow, editor::FramesBoxId);
    controls.delayBox = findControl(mainWindow, editor::DelayBoxId);
    controls.diffuseChannelBox = findControl(mainWindow, editor::DiffuseChannelBoxId);
    controls.extraSettingsBox = findControl(mainWindow, editor::ExtraSettingsBoxId);
    controls.doubleSidedBox = findControl(mainWindow, editor::DoubleSidedBoxId);
    controls.diffuseHighlightBox = findControl(mainWindow, editor::DiffuseHighlightBoxId);
    controls.alphaHighlightBox = findControl(mainWindow, editor::AlphaHighlightBoxId);
    controls.colorTransparencyBox = findControl(mainWindow, editor::ColorTransparencyBoxId);
    return controls;
}

// --- the pointer's buttons ------------------------------------------------------------

bool pressAt(HWND window, int x, int y, Button button) {
    if (!editor_driver::movePointerTo(window, x, y)) return false;
    sendMouse(downFlag(button));
    Sleep(50);
    return true;
}

void release(Button button) {
    sendMouse(upFlag(button));
    Sleep(50);
}

int sliderMiddle(HWND bar) { return editor_driver::clientSize(bar).cy / 2; }

int sliderX(HWND bar, int position) {
    const int width = editor_driver::clientSize(bar).cx;
    return std::clamp(static_cast<int>(std::lround(position * width / 100.0)), 0, width - 1);
}

bool clickSlider(HWND bar, int x, Button button) {
    if (!pressAt(bar, x, sliderMiddle(bar), button)) return false;
    release(button);
    return true;
}

bool dragSlider(HWND bar, const std::vector<int>& xs) {
    if (xs.empty() || !pressAt(bar, xs.front(), sliderMiddle(bar), Button::Left)) return false;
    bool moved = true;
    for (std::size_t i = 1; i < xs.size() && moved; ++i)
        moved = editor_driver::movePointerTo(bar, xs[i], sliderMiddle(bar));
    release(Button::Left);
    return moved;
}

bool focusBox(HWND box) {
    return editor_driver::clickMiddle(box) &&
           editor_driver::waitUntil([box] { return editor_driver::focusedWindow(box) == box; });
}

// --- what the screen shows --------------------------------------------------------------

void waitForSteadyPicture(HWND window) {
    answersMessages(window);
    Picture last = editor_driver::screenPicture(window);
    ULONGLONG lastChange = GetTickCount64();
    editor_driver::waitUntil(
        [&] {
            Picture now = editor_driver::screenPicture(window);
            if (now.pixels != last.pixels) {
                lastChange = GetTickCount64();
                last = std::move(now);
            }
            return GetTickCount64() - lastChange >= kSteadyMilliseconds;
        },
        kSteadyTimeout);
}

bool showsCheckMark(HWND checkBox) { return markPixels(editor_driver::screenPicture(checkBox)) >= kMarkPixels; }

bool waitForCheckMark(HWND checkBox, bool checked) {
    return editor_driver::waitUntil([&] { return showsCheckMark(checkBox) == checked; });
}

std::uint32_t swatchColour(HWND swatch) {
    const Picture picture = editor_driver::screenPicture(swatch);
    if (picture.pixels.empty()) return 0xFFFFFFFF;  // no pixel colour
    return picture.at(picture.width / 2, picture.height / 2);
}

bool waitForSwatchColour(HWND swatch, std::uint32_t colour) {
    return editor_driver::waitUntil([&] { return swatchColour(swatch) == colour; });
}

// --- dialogs ------------------------------------------------------------------------------

void PrintTo(const Rgb& colour, std::ostream* out) {
    *out << "(" << colour.red << ", " << colour.green << ", " << colour.blue << ")";
}

HWND waitForColourDialog(const EditorSession& session) {
    return session.waitForTopLevel([](HWND window) {
        HWND red = GetDlgItem(window, kRedBoxId);
        return editor_driver::hasClass(window, kDialogClass) && red != nullptr && IsWindowVisible(red);
    });
}

std::optional<Rgb> colourDialogValues(HWND dialog) {
    const auto red = shownNumber(GetDlgItem(dialog, kRedBoxId));
    const auto green = shownNumber(GetDlgItem(dialog, kRedBoxId + 1));
    const auto blue = shownNumber(GetDlgItem(dialog, kRedBoxId + 2));
    if (!red || !green || !blue) return std::nullopt;
    return Rgb{*red, *green, *blue};
}

bool typeColour(HWND dialog, const Rgb& colour) {
    const int values[] = {colour.red, colour.green, colour.blue};
    for (int i = 0; i < 3; ++i)
        if (!editor_driver::typeIntoBox(GetDlgItem(dialog, kRedBoxId + i), std::to_string(values[i]))) return false;
    return editor_driver::waitUntil([&] { return colourDialogValues(dialog) == colour; });
}

void PrintTo(MessageIcon icon, std::ostream* out) {
    constexpr const char* kNames[] = {"none", "information", "warning", "error", "question", "unknown"};
    *out << kNames[static_cast<int>(icon)];
}

std::optional<SeenMessageBox> answerMessageBox(EditorSession& session, int button) {
    HWND box = session.waitForMessageBox();
    if (box == nullptr) return std::nullopt;
    waitForSteadyPicture(box);
    SeenMessageBox seen;
    seen.caption = editor_driver::windowText(box);
    seen.text = editor_driver::messageText(box);
    seen.icon = iconOf(box);
    seen.buttons = shownButtons(box);
    seen.hasOwner = GetWindow(box, GW_OWNER) != nullptr;
    seen.mainWindowEnabled = IsWindowEnabled(session.mainWindow()) != FALSE;
    editor_driver::pressButton(box, button);
    if (!editor_driver::waitForWindowGone(box)) return std::nullopt;
    return seen;
}

// A mark typed into the search box shows once the program has taken the
// input given before it (the search box's typing runs no handler).
void waitForInputHandled(EditorSession& session) {
    editor_driver::waitForEarlierInput(editor_driver::findMainWindowControls(session.mainWindow()).searchBox);
    waitForSteadyPicture(session.mainWindow());
}

void settleWithTheButtonHeld(EditorSession& session) {
    Sleep(300);
    waitForSteadyPicture(session.mainWindow());
}

bool noDialogComes(EditorSession& session) {
    waitForInputHandled(session);
    return session.dialogs().empty();
}

// --- one run of the editor with a model --------------------------------------------------

namespace {

std::string settingsFor(const std::string& textureFolder) { return "[Paths]\r\nMAPS=" + textureFolder + "\r\n"; }

std::string folderText(const test_support::TempFolder& folder) {
    return editor_driver::toCp1251(folder.path().wstring());
}

}  // namespace

PanelSession::PanelSession(const std::optional<std::string>& textureFolder)
    : editor_(SKIRVANE_EXE, settingsFor(textureFolder.value_or(folderText(models_)))) {
    if (!editor_.started()) {
        problem_ = "the program did not start (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    HWND window = editor_.mainWindow();
    if (window == nullptr) {
        problem_ = "the main window did not come";
        return;
    }
    controls_ = findPanelControls(window);
    if (!controls_.complete()) problem_ = "a control of the panel is missing";
}

std::string PanelSession::modelPath() const { return folderText(models_) + "\\model.4ds"; }

bool PanelSession::open(const std::string& bytes) {
    test_support::writeFileBytes(modelPath(), bytes);
    return reopen();
}

bool PanelSession::reopen() {
    if (!editor_.chooseFile(kOpenItem, modelPath())) return false;
    return editor_driver::waitUntil([&] { return editor_.selectedListRow(controls_.materialList) == 0; }) &&
           answersMessages(controls_.materialList);
}

bool PanelSession::selectRow(int row) {
    if (!editor_.clickListRow(controls_.materialList, row)) return false;
    return editor_driver::waitUntil([&] { return editor_.selectedListRow(controls_.materialList) == row; }) &&
           answersMessages(controls_.materialList);
}

bool PanelSession::save() { return editor_.chooseMenuItem(kSaveItem) && editor_.waitForEarlierCommands(); }

std::string PanelSession::fileBytes() const {
    std::error_code error;
    if (!std::filesystem::is_regular_file(editor_driver::fromCp1251(modelPath()), error)) return {};
    return test_support::readFileBytes(modelPath());
}

bool PanelSession::load(model::ModelFile& into) const { return into.load(modelPath()); }

}  // namespace panel_driver
