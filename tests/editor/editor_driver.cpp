#include "editor_driver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "editor/control_ids.h"
#include "model_bytes.h"
#include "program_agent.h"

namespace editor_driver {

namespace {

constexpr UINT kMessageTimeout = 5000;  // one message to a window of the program
constexpr int kMessageTextId = 0xFFFF;  // the text of a message box
constexpr int kFileNameComboId = 1148;  // cmb13: the name box of the explorer-style file dialog
constexpr int kFileNameEditId = 1152;   // edt1: the name box of the older file dialogs
constexpr std::size_t kItemTextCapacity = 1024;
const std::vector<std::string> kOpenItem{"Файл", "Открыть.."};
constexpr char kInputMarker[] = "~";  // typed and taken back by waitForEarlierInput

bool isMessageBox(HWND window) { return hasClass(window, L"#32770") && GetDlgItem(window, kMessageTextId) != nullptr; }

// Sends a message that must not wait for ever; the result, or none when
// the window did not answer in time.
std::optional<LRESULT> sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeout, &result) == 0)
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

LRESULT sendOrZero(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return sendWithin(window, message, wParam, lParam).value_or(0);
}

// --- real input ---

void sendMouse(DWORD flags, POINT screen = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if ((flags & MOUSEEVENTF_ABSOLUTE) != 0) {
        input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof input);
}

// Moves the pointer to a point of the screen. The display may report an
// earlier position for a moment, so the move is made again until the
// system sees the pointer there.
bool setPointer(POINT screen) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen);
        Sleep(30);
        POINT seen{};
        GetCursorPos(&seen);
        if (seen.x == screen.x && seen.y == screen.y) return true;
    }
    return false;
}

LRESULT hitTest(HWND window, POINT screen) {
    return sendOrZero(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

bool clickScreenPoint(POINT screen) {
    if (!setPointer(screen)) return false;
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(50);
    sendMouse(MOUSEEVENTF_LEFTUP);
    return true;
}

// A point of the window's title bar where the hit test gives `part`
// (HTCLOSE, HTCAPTION, ...), searched from the right end of the bar.
std::optional<POINT> titleBarPoint(HWND window, LRESULT part) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int captionMiddle = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int down = -4; down <= 4; down += 4) {
        for (int x = rect.right - 2; x > rect.left; x -= 2) {
            const POINT point{x, rect.top + captionMiddle + down};
            if (hitTest(window, point) == part) return point;
        }
    }
    return std::nullopt;
}

// The title bar point once the window shows it uncovered: a window just
// made may come up without its title bar for a while (seen in the first
// programs of a new Wine prefix), and a click there would be lost.
std::optional<POINT> shownTitleBarPoint(HWND window, LRESULT part) {
    std::optional<POINT> point;
    const bool shown = waitUntil([&] {
        point = titleBarPoint(window, part);
        return point && GetAncestor(WindowFromPoint(*point), GA_ROOT) == window;
    });
    return shown ? point : std::nullopt;
}

// One key event: a virtual key, or with KEYEVENTF_UNICODE a character.
void sendKey(WORD virtualKey, wchar_t character, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(character);
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Waits until the window's outer rectangle has stayed the same for a while
// (a sizing loop applies the last move when the button goes up).
void waitForSteadyBounds(HWND window) {
    RECT last{};
    GetWindowRect(window, &last);
    int steadyChecks = 0;
    waitUntil([&] {
        RECT now{};
        GetWindowRect(window, &now);
        steadyChecks = EqualRect(&now, &last) ? steadyChecks + 1 : 0;
        last = now;
        return steadyChecks >= 10;
    });
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool sameAscii(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace

// --- texts and paths --------------------------------------------------------------

std::wstring windowsPath(const std::string& path) {
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, path.data(),
                                                                   static_cast<int>(path.size()), nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(),
                        static_cast<int>(wide.size()));
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    if (!wide.empty() && wide.front() == L'\\') wide.insert(0, L"Z:");
    return wide;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMilliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMilliseconds);
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
}

// --- windows of any process -------------------------------------------------------------

void PrintTo(const Bounds& bounds, std::ostream* out) {
    *out << "(" << bounds.left << ", " << bounds.top << ") " << bounds.width << " x " << bounds.height;
}

Bounds boundsInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0)
        MapWindowPoints(HWND_DESKTOP, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

SIZE clientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

SIZE outerSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::vector<ChildWindow> childWindows(HWND parent) {
    std::vector<ChildWindow> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back({child, className(child), windowText(child), boundsInParent(child),
                            IsWindowEnabled(child) != FALSE, IsWindowVisible(child) != FALSE});
    }
    return children;
}

HWND findChildAt(HWND parent, const std::wstring& wantedClass, int left, int top) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const Bounds bounds = boundsInParent(child);
        if (bounds.left == left && bounds.top == top && hasClass(child, wantedClass)) return child;
    }
    return nullptr;
}

int progressPosition(HWND bar) { return static_cast<int>(sendOrZero(bar, PBM_GETPOS, 0, 0)); }

std::optional<MINMAXINFO> sizeLimits(HWND window) {
    MINMAXINFO limits{};
    if (!sendWithin(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits))) return std::nullopt;
    return limits;
}

// --- the real pointer --------------------------------------------------------------------

bool movePointerTo(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return setPointer(point);
}

bool parkPointer() { return setPointer({0, 0}); }

bool dragBottomRightCorner(HWND window, int dx, int dy) {
    RECT rect{};
    GetWindowRect(window, &rect);
    std::optional<POINT> corner;
    for (int inset = 1; inset <= 4 && !corner; ++inset) {
        const POINT point{rect.right - inset, rect.bottom - inset};
        if (hitTest(window, point) == HTBOTTOMRIGHT) corner = point;
    }
    if (!corner || !setPointer(*corner)) return false;
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(100);
    // In steps, as a hand moves; the sizing loop may hold the pointer at the
    // screen's edge, so the steps are not checked.
    constexpr int kSteps = 10;
    for (int step = 1; step <= kSteps; ++step) {
        sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                  {corner->x + dx * step / kSteps, corner->y + dy * step / kSteps});
        Sleep(30);
    }
    // The loop sizes the window to the last move it took before the button
    // went up, and a busy machine may not have taken the last step yet: the
    // hand comes back one pixel and settles on the end again before letting go.
    const POINT end{corner->x + dx, corner->y + dy};
    Sleep(100);
    const auto back = [](int d) { return d > 0 ? -1 : (d < 0 ? 1 : 0); };
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {end.x + back(dx), end.y + back(dy)});
    Sleep(50);
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, end);
    Sleep(150);
    sendMouse(MOUSEEVENTF_LEFTUP);
    waitForSteadyBounds(window);
    return true;
}

bool clickCloseBox(HWND window) {
    const auto point = shownTitleBarPoint(window, HTCLOSE);
    return point && clickScreenPoint(*point);
}

bool bringToFront(HWND window) {
    const auto point = shownTitleBarPoint(window, HTCAPTION);
    return point && clickScreenPoint(*point) && waitUntil([window] { return GetForegroundWindow() == window; });
}

bool clickAt(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return clickScreenPoint(point);
}

bool clickMiddle(HWND window) {
    const SIZE size = clientSize(window);
    return clickAt(window, size.cx / 2, size.cy / 2);
}

// --- the real keyboard ------------------------------------------------------------------

void pressKey(WORD virtualKey) {
    sendKey(virtualKey, 0, 0);
    sendKey(virtualKey, 0, KEYEVENTF_KEYUP);
}

void pressControlKey(WORD virtualKey) {
    sendKey(VK_CONTROL, 0, 0);
    pressKey(virtualKey);
    sendKey(VK_CONTROL, 0, KEYEVENTF_KEYUP);
}

void typeText(const std::wstring& text) {
    for (wchar_t character : text) {
        sendKey(0, character, KEYEVENTF_UNICODE);
        sendKey(0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
}

void typeText(const std::string& text) { typeText(fromCp1251(text)); }

HWND focusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool typeIntoBox(HWND box, const std::string& text) { return typeIntoBox(box, fromCp1251(text)); }

bool typeIntoBox(HWND box, const std::wstring& text) {
    if (!clickMiddle(box) || !waitUntil([box] { return focusedWindow(box) == box; })) return false;
    // With keys, not messages: the program takes them in the order they
    // come, after the click.
    pressKey(VK_HOME);
    sendKey(VK_SHIFT, 0, 0);
    pressKey(VK_END);
    sendKey(VK_SHIFT, 0, KEYEVENTF_KEYUP);
    pressKey(VK_DELETE);
    typeText(text);
    return true;
}

bool waitForEarlierInput(HWND box) {
    const std::string before = windowText(box);
    if (!clickMiddle(box) || !waitUntil([box] { return focusedWindow(box) == box; })) return false;
    pressKey(VK_END);
    typeText(kInputMarker);
    if (!waitUntil([&] { return windowText(box) == before + kInputMarker; })) return false;
    pressKey(VK_BACK);
    return waitUntil([&] { return windowText(box) == before; });
}

bool enterIntoBox(HWND box, const std::string& text) { return enterIntoBox(box, fromCp1251(text)); }

bool enterIntoBox(HWND box, const std::wstring& text) {
    if (!typeIntoBox(box, text)) return false;
    pressKey(VK_RETURN);
    return true;
}

// --- what the screen shows -----------------------------------------------------------------

HBITMAP newPixelSection(int width, int height, std::uint32_t*& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<std::uint32_t*>(bits);
    return section;
}

test_support::Picture screenPicture(HWND window) {
    const SIZE size = clientSize(window);
    test_support::Picture picture;
    if (size.cx <= 0 || size.cy <= 0) return picture;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);

    std::uint32_t* bits = nullptr;
    HBITMAP section = newPixelSection(size.cx, size.cy, bits);
    if (section == nullptr) return picture;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, section);
    HDC screen = GetDC(nullptr);
    const bool copied = BitBlt(memory, 0, 0, size.cx, size.cy, screen, origin.x, origin.y, SRCCOPY) != FALSE;
    ReleaseDC(nullptr, screen);
    GdiFlush();
    if (copied) {
        // A 32-bit DIB holds 0x00RRGGBB already, with a byte of no meaning on top.
        const std::uint32_t* pixels = bits;
        const std::size_t count = static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy);
        picture.width = size.cx;
        picture.height = size.cy;
        picture.pixels.reserve(count);
        for (std::size_t i = 0; i < count; ++i) picture.pixels.push_back(pixels[i] & 0xFFFFFF);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(section);
    return picture;
}

// --- memory in another process --------------------------------------------------------------

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size) {}

RemoteMemory::~RemoteMemory() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

LPARAM RemoteMemory::at(std::size_t offset) const {
    return static_cast<LPARAM>(reinterpret_cast<std::uintptr_t>(address_) + offset);
}

bool RemoteMemory::write(std::size_t offset, const void* data, std::size_t size) const {
    if (address_ == nullptr || offset > size_ || size > size_ - offset) return false;
    SIZE_T written = 0;
    return WriteProcessMemory(process_, reinterpret_cast<void*>(at(offset)), data, size, &written) != FALSE &&
           written == size;
}

bool RemoteMemory::read(std::size_t offset, void* data, std::size_t size) const {
    if (address_ == nullptr || offset > size_ || size > size_ - offset) return false;
    SIZE_T copied = 0;
    return ReadProcessMemory(process_, reinterpret_cast<const void*>(at(offset)), data, size, &copied) != FALSE &&
           copied == size;
}

// --- the program -------------------------------------------------------------------------------

EditorSession::EditorSession(const std::string& program, const std::optional<std::string>& settings,
                             std::string mainCaption, const std::wstring& programFolderName,
                             const std::wstring& arguments)
    : mainCaption_(std::move(mainCaption)),
      programFolder_(programFolderName.empty() ? folder_.path() : folder_.path() / programFolderName) {
    const std::filesystem::path source(windowsPath(program));
    const std::filesystem::path copy = programFolder_ / source.filename();
    std::error_code error;
    std::filesystem::create_directories(programFolder_, error);
    if (!std::filesystem::copy_file(source, copy, error)) return;
    if (settings) {
        std::ofstream out(programFolder_ / kSettingsFile, std::ios::binary);
        out << *settings;
    }
    parkPointer();

    std::wstring commandLine = L"\"" + copy.wstring() + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        programFolder_.c_str(), &startup, &started))
        return;
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    processId_ = started.dwProcessId;
}

EditorSession::~EditorSession() {
    if (agentHook_ != nullptr) UnhookWindowsHookEx(agentHook_);
    if (agentBlock_ != nullptr) UnmapViewOfFile(agentBlock_);
    if (agentMapping_ != nullptr) CloseHandle(agentMapping_);
    if (process_ == nullptr) return;
    if (running()) {
        // As a user closes it; the main window may still be hidden behind a
        // start-up dialog, so it is looked for whether visible or not.
        bool asked = false;
        for (HWND window : allTopLevelWindows()) {
            if (!isMainCaption(windowText(window))) continue;
            PostMessageW(window, WM_CLOSE, 0, 0);
            asked = true;
        }
        // Unsaved changes bring the question whether to save them: the
        // session's end drops them.
        const bool ended = asked && waitUntil(
                                        [this] {
                                            if (HWND question = findTopLevel(isMessageBox)) pressButton(question, IDNO);
                                            return waitForExit(0);
                                        },
                                        5000);
        if (!ended) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, kExitTimeout);
        }
    }
    CloseHandle(process_);
}

bool EditorSession::isMainCaption(const std::string& caption) const {
    const std::string named = " - " + mainCaption_;
    return caption == mainCaption_ ||
           (caption.size() > named.size() && caption.compare(caption.size() - named.size(), named.size(), named) == 0);
}

HWND EditorSession::findTopLevel(const std::function<bool(HWND)>& wanted) const {
    for (HWND window : topLevelWindows())
        if (wanted(window)) return window;
    return nullptr;
}

std::vector<HWND> EditorSession::allTopLevelWindows() const {
    struct Search {
        DWORD processId;
        std::vector<HWND> windows;
    } search{processId_, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId) s.windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

std::vector<HWND> EditorSession::topLevelWindows() const {
    std::vector<HWND> visible = allTopLevelWindows();
    std::erase_if(visible, [](HWND window) { return IsWindowVisible(window) == FALSE; });
    return visible;
}

HWND EditorSession::windowWithCaption(const std::string& caption, int timeoutMilliseconds) const {
    const auto find = [&]() -> HWND {
        for (HWND window : allTopLevelWindows())
            if (!hasClass(window, L"#32770") && windowText(window) == caption) return window;
        return nullptr;
    };
    HWND found = nullptr;
    waitUntil([&] { return (found = find()) != nullptr; }, timeoutMilliseconds);
    return found;
}

std::vector<HWND> EditorSession::dialogs() const {
    std::vector<HWND> found;
    for (HWND window : topLevelWindows())
        if (hasClass(window, L"#32770")) found.push_back(window);
    return found;
}

HWND EditorSession::mainWindow(int timeoutMilliseconds) {
    if (mainWindow_ != nullptr && IsWindow(mainWindow_)) return mainWindow_;
    mainWindow_ = waitForTopLevel(
        [this](HWND window) { return !hasClass(window, L"#32770") && isMainCaption(windowText(window)); },
        timeoutMilliseconds);
    return mainWindow_;
}

bool EditorSession::running() const { return process_ != nullptr && !waitForExit(0); }

bool EditorSession::waitForExit(int timeoutMilliseconds) const {
    return process_ != nullptr &&
           WaitForSingleObject(process_, static_cast<DWORD>(timeoutMilliseconds)) == WAIT_OBJECT_0;
}

std::optional<DWORD> EditorSession::exitCode() const {
    DWORD code = 0;
    if (!waitForExit(0) || !GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

HWND EditorSession::waitForTopLevel(const std::function<bool(HWND)>& wanted, int timeoutMilliseconds) const {
    HWND found = nullptr;
    waitUntil([&] { return (found = findTopLevel(wanted)) != nullptr; }, timeoutMilliseconds);
    return found;
}

HWND EditorSession::waitForMessageBox(int timeoutMilliseconds) const {
    return waitForTopLevel(isMessageBox, timeoutMilliseconds);
}

HWND EditorSession::waitForFileDialog(int timeoutMilliseconds) const {
    return waitForTopLevel(
        [](HWND window) {
            return hasClass(window, L"#32770") &&
                   (GetDlgItem(window, kFileNameComboId) != nullptr || GetDlgItem(window, kFileNameEditId) != nullptr);
        },
        timeoutMilliseconds);
}

HWND EditorSession::waitForFolderDialog(int timeoutMilliseconds) const {
    return waitForTopLevel(
        [](HWND window) {
            return hasClass(window, L"#32770") && FindWindowExW(window, nullptr, WC_TREEVIEWW, nullptr) != nullptr;
        },
        timeoutMilliseconds);
}

bool EditorSession::hookAgent(HWND window) {
    if (agentBlock_ != nullptr) return true;
    // Loaded here too, to hand the system the hook inside the library;
    // kept for the rest of the run.
    HMODULE library = LoadLibraryW(windowsPath(SKIRVANE_PROGRAM_AGENT).c_str());
    const auto hook = library != nullptr
                          ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, kAgentHook)))
                          : nullptr;
    if (hook == nullptr) return false;
    static std::uint32_t sessions = 0;
    agentToken_ = (static_cast<WPARAM>(GetCurrentProcessId()) << 32) | ++sessions;
    agentMapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(AgentBlock),
                                       agentBlockName(agentToken_).c_str());
    if (agentMapping_ == nullptr) return false;
    agentBlock_ = static_cast<AgentBlock*>(MapViewOfFile(agentMapping_, FILE_MAP_WRITE, 0, 0, sizeof(AgentBlock)));
    agentHook_ = SetWindowsHookExW(WH_CALLWNDPROC, hook, library, GetWindowThreadProcessId(window, nullptr));
    return agentBlock_ != nullptr && agentHook_ != nullptr;
}

bool EditorSession::dropFiles(const std::vector<std::string>& paths) {
    HWND window = mainWindow();
    if (window == nullptr || !hookAgent(window)) return false;
    std::wstring list;
    for (const std::string& path : paths) list += fromCp1251(path) + L'\0';
    list += L'\0';
    if (list.size() > std::size(agentBlock_->droppedPaths)) return false;
    std::copy(list.begin(), list.end(), agentBlock_->droppedPaths);
    static const UINT dropFilesMessage = RegisterWindowMessageW(kDropFilesMessage);
    return sendWithin(window, dropFilesMessage, agentToken_, reinterpret_cast<LPARAM>(window)).has_value();
}

std::vector<MenuItem> EditorSession::menu() {
    HWND window = mainWindow();
    if (window == nullptr || !hookAgent(window)) return {};
    static const UINT readMenuMessage = RegisterWindowMessageW(kReadMenuMessage);
    MenuSnapshot& snapshot = agentBlock_->menu;
    snapshot.count = -1;
    if (!sendWithin(window, readMenuMessage, agentToken_, reinterpret_cast<LPARAM>(window)) || snapshot.count < 0)
        return {};

    std::vector<MenuItem> items;
    std::vector<std::string> path;
    const int filled = std::min(snapshot.count, static_cast<int>(std::size(snapshot.entries)));
    for (int i = 0; i < filled; ++i) {
        const MenuEntry& entry = snapshot.entries[i];
        path.resize(static_cast<std::size_t>(std::clamp(entry.depth, 0, static_cast<int>(path.size()))));
        const std::size_t length = std::find(std::begin(entry.caption), std::end(entry.caption), L'\0') -
                                   std::begin(entry.caption);
        const std::string caption = toCp1251(std::wstring(entry.caption, length));
        const std::size_t tab = caption.find('\t');
        path.push_back(caption.substr(0, tab));
        items.push_back({path, tab == std::string::npos ? std::string() : caption.substr(tab + 1), entry.id,
                         (entry.type & MFT_SEPARATOR) != 0, (entry.state & MFS_CHECKED) != 0,
                         (entry.state & MFS_DISABLED) == 0, entry.hasSubMenu != FALSE});
    }
    return items;
}

std::optional<MenuItem> EditorSession::menuItem(const std::vector<std::string>& path) {
    for (MenuItem& item : menu())
        if (item.path == path) return item;
    return std::nullopt;
}

bool EditorSession::chooseMenuItem(const std::vector<std::string>& path) {
    const auto item = menuItem(path);
    if (!item || item->separator || item->hasSubMenu) return false;
    return PostMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(item->id, 0), 0) != FALSE;
}

bool EditorSession::chooseFile(const std::vector<std::string>& item, const std::string& path) {
    if (!chooseMenuItem(item)) return false;
    HWND dialog = waitForFileDialog();
    return dialog != nullptr && enterFileName(dialog, path) && waitForWindowGone(dialog);
}

// The About item is the menu's last, whatever the language.
bool EditorSession::waitForEarlierCommands() {
    const std::vector<MenuItem> items = menu();
    if (items.empty() || PostMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(items.back().id, 0), 0) == FALSE)
        return false;
    HWND box = waitForMessageBox();
    if (box == nullptr) return false;
    const bool alone = dialogs().size() == 1;
    pressButton(box, IDOK);
    return waitForWindowGone(box) && alone;
}

std::wstring EditorSession::remoteText(HWND window, UINT lengthMessage, UINT textMessage, WPARAM part) const {
    const std::size_t length = LOWORD(sendOrZero(window, lengthMessage, part, 0));
    RemoteMemory memory(process_, (length + 1) * sizeof(wchar_t));
    std::wstring text(length + 1, L'\0');
    if (!sendWithin(window, textMessage, part, memory.at()) || !memory.read(0, text.data(), text.size() * 2))
        return {};
    text.resize(std::min(text.find(L'\0'), length));
    return text;
}

std::string EditorSession::statusText() {
    HWND bar = FindWindowExW(mainWindow(), nullptr, STATUSCLASSNAMEW, nullptr);
    if (bar == nullptr) return {};
    return toCp1251(remoteText(bar, SB_GETTEXTLENGTHW, SB_GETTEXTW, 0));
}

int EditorSession::listItemCount(HWND list) const { return static_cast<int>(sendOrZero(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string EditorSession::listItemText(HWND list, int item, int column) const {
    RemoteMemory memory(process_, sizeof(LVITEMW) + kItemTextCapacity * sizeof(wchar_t));
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = reinterpret_cast<LPWSTR>(memory.at(sizeof(LVITEMW)));
    request.cchTextMax = static_cast<int>(kItemTextCapacity);
    if (!memory.write(0, &request, sizeof request)) return {};
    const auto length = sendWithin(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), memory.at());
    if (!length) return {};
    std::wstring text(kItemTextCapacity, L'\0');
    if (!memory.read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t))) return {};
    text.resize(std::min<std::size_t>(text.find(L'\0'), static_cast<std::size_t>(std::max<LRESULT>(*length, 0))));
    return toCp1251(text);
}

UINT EditorSession::listItemState(HWND list, int item, UINT mask) const {
    return static_cast<UINT>(sendOrZero(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
}

std::vector<std::string> EditorSession::listRows(HWND list) const {
    std::vector<std::string> rows;
    const int count = listItemCount(list);
    for (int item = 0; item < count; ++item) rows.push_back(listItemText(list, item, 0));
    return rows;
}

int EditorSession::selectedListRow(HWND list) const {
    const auto row = sendWithin(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return row ? static_cast<int>(*row) : -1;
}

std::optional<RECT> EditorSession::listRowRect(HWND list, int item) const {
    RemoteMemory memory(process_, sizeof(RECT));
    RECT rect{};
    rect.left = LVIR_LABEL;  // the part of the row asked for
    if (!memory.write(0, &rect, sizeof rect)) return std::nullopt;
    const auto answered = sendWithin(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), memory.at());
    if (!answered || *answered == 0 || !memory.read(0, &rect, sizeof rect)) return std::nullopt;
    return rect;
}

bool EditorSession::clickListRow(HWND list, int item) const {
    const auto rect = listRowRect(list, item);
    return rect && clickAt(list, (rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2);
}

bool EditorSession::enterFileName(HWND dialog, const std::string& path) const {
    // A combo box (in Wine a ComboBoxEx32) takes the text into its edit.
    HWND box = GetDlgItem(dialog, kFileNameComboId);
    if (box == nullptr) box = GetDlgItem(dialog, kFileNameEditId);
    if (box == nullptr) return false;
    const std::wstring name = fromCp1251(path);
    if (!sendWithin(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str())) || windowText(box) != path)
        return false;
    pressButton(dialog, IDOK);
    return true;
}

std::string EditorSession::treeItemText(HWND tree, LPARAM item) const {
    RemoteMemory memory(process_, sizeof(TVITEMW) + kItemTextCapacity * sizeof(wchar_t));
    TVITEMW request{};
    request.mask = TVIF_TEXT;
    request.hItem = reinterpret_cast<HTREEITEM>(item);
    request.pszText = reinterpret_cast<LPWSTR>(memory.at(sizeof(TVITEMW)));
    request.cchTextMax = static_cast<int>(kItemTextCapacity);
    std::wstring text(kItemTextCapacity, L'\0');
    if (!memory.write(0, &request, sizeof request) || !memory.write(sizeof(TVITEMW), text.data(), 2) ||
        !sendWithin(tree, TVM_GETITEMW, 0, memory.at()) ||
        !memory.read(sizeof(TVITEMW), text.data(), text.size() * sizeof(wchar_t)))
        return {};
    text.resize(text.find(L'\0'));
    return toCp1251(text);
}

std::string EditorSession::selectedFolder(HWND dialog) const {
    HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    const LPARAM item = tree != nullptr ? sendOrZero(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) : 0;
    return item != 0 ? treeItemText(tree, item) : std::string();
}

LPARAM EditorSession::folderItem(HWND tree, const std::string& path) const {
    std::vector<std::string> parts;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t end = std::min(path.find('\\', at), path.size());
        if (end > at) parts.push_back(path.substr(at, end - at));
        at = end + 1;
    }
    if (parts.empty()) return 0;
    const auto children = [&](LPARAM item) {
        sendWithin(tree, TVM_EXPAND, TVE_EXPAND, item);
        std::vector<LPARAM> found;
        for (LPARAM child = sendOrZero(tree, TVM_GETNEXTITEM, TVGN_CHILD, item); child != 0;
             child = sendOrZero(tree, TVM_GETNEXTITEM, TVGN_NEXT, child))
            found.push_back(child);
        return found;
    };
    // The drive shows as " (C:)" a few levels below the top (Desktop, My
    // Computer).
    LPARAM item = 0;
    std::vector<LPARAM> level;
    for (LPARAM top = sendOrZero(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0); top != 0;
         top = sendOrZero(tree, TVM_GETNEXTITEM, TVGN_NEXT, top))
        level.push_back(top);
    for (int depth = 0; depth < 3 && item == 0 && !level.empty(); ++depth) {
        std::vector<LPARAM> next;
        for (LPARAM candidate : level) {
            if (treeItemText(tree, candidate).find("(" + parts[0] + ")") != std::string::npos) {
                item = candidate;
                break;
            }
            for (LPARAM child : children(candidate)) next.push_back(child);
        }
        level = std::move(next);
    }
    for (std::size_t part = 1; part < parts.size() && item != 0; ++part) {
        const std::vector<LPARAM> below = children(item);
        const auto named = std::find_if(below.begin(), below.end(),
                                        [&](LPARAM child) { return treeItemText(tree, child) == parts[part]; });
        item = named == below.end() ? 0 : *named;
    }
    return item;
}

// As a user does it: the folder's item is clicked in the tree, the folders
// on the way opened in turn. (Asking the dialog for a path makes it compare
// the path's parts with the tree's by their file dates as well, which the
// system may change meanwhile for a folder on the way; the dialog then
// never finds the folder.)
bool EditorSession::selectFolder(HWND dialog, const std::string& path) const {
    HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    if (tree == nullptr) return false;
    // The tree shows a folder by its name and a drive root as " (C:)".
    std::string name = path;
    while (!name.empty() && name.back() == '\\') name.pop_back();
    name = name.substr(name.find_last_of('\\') + 1);
    const bool driveRoot = name.size() == 2 && name[1] == ':';
    // The dialog, just opened, may still select its starting folder again
    // afterwards: clicked until the choice holds.
    const auto holds = [&] {
        for (int check = 0; check < 3; ++check) {
            const std::string shown = selectedFolder(dialog);
            if (driveRoot ? shown.find("(" + name + ")") == std::string::npos : shown != name) return false;
            Sleep(100);
        }
        return true;
    };
    const ULONGLONG end = GetTickCount64() + kWindowTimeout;
    for (;;) {
        const LPARAM item = folderItem(tree, path);
        if (item != 0 && sendWithin(tree, TVM_SELECTITEM, TVGN_CARET, item) && holds()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(200);
    }
}

// --- dialogs and files -------------------------------------------------------------------------

std::string messageText(HWND box) { return windowText(GetDlgItem(box, kMessageTextId)); }

bool waitForWindowGone(HWND window, int timeoutMilliseconds) {
    return waitUntil([window] { return !IsWindow(window); }, timeoutMilliseconds);
}

std::optional<std::string> iniValue(const std::string& path, const std::string& section, const std::string& key) {
    return iniValue(std::filesystem::path(fromCp1251(path)), section, key);
}

std::optional<std::string> iniValue(const std::filesystem::path& path, const std::string& section,
                                    const std::string& key) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string entry = trimmed(line);
        if (entry.size() >= 2 && entry.front() == '[' && entry.back() == ']') {
            inSection = sameAscii(trimmed(entry.substr(1, entry.size() - 2)), section);
            continue;
        }
        const std::size_t equals = entry.find('=');
        if (inSection && equals != std::string::npos && sameAscii(trimmed(entry.substr(0, equals)), key))
            return trimmed(entry.substr(equals + 1));
    }
    return std::nullopt;
}

// --- the editor's windows -----------------------------------------------------------------------

namespace {

// Makes the texture folder in the user's folder and gives the settings
// file that names it (with the backslash the program's folder texts end in).
std::string textureFolderSettings(const test_support::TempFolder& userFolder) {
    const std::filesystem::path folder = userFolder.path() / fromCp1251(EditorUser::kTextureFolderName);
    std::error_code ignored;  // a missing folder shows as the program asking for one
    std::filesystem::create_directory(folder, ignored);
    return "[Paths]\r\nMAPS=" + toCp1251(folder.wstring()) + "\\\r\n";
}

}  // namespace

bool MainWindowControls::complete() const {
    return materialList != nullptr && showAllButton != nullptr && searchBox != nullptr && findButton != nullptr &&
           reflectionNameBox != nullptr && diffuseNameBox != nullptr && alphaNameBox != nullptr &&
           viewerButton != nullptr;
}

MainWindowControls findMainWindowControls(HWND mainWindow) {
    MainWindowControls controls;
    controls.materialList = findControl(mainWindow, editor::MaterialListId);
    controls.showAllButton = findControl(mainWindow, editor::ShowAllButtonId);
    controls.searchBox = findControl(mainWindow, editor::SearchBoxId);
    controls.findButton = findControl(mainWindow, editor::FindButtonId);
    controls.reflectionNameBox = findControl(mainWindow, editor::ReflectionNameBoxId);
    controls.diffuseNameBox = findControl(mainWindow, editor::DiffuseNameBoxId);
    controls.alphaNameBox = findControl(mainWindow, editor::AlphaNameBoxId);
    controls.viewerButton = findControl(mainWindow, editor::ViewerButtonId);
    return controls;
}

bool ViewerControls::complete() const {
    return window != nullptr && imageArea != nullptr && paintBox != nullptr && envTab != nullptr &&
           diffTab != nullptr && alfaTab != nullptr && transparencyLine != nullptr;
}

ViewerControls findViewerControls(HWND viewer) {
    ViewerControls controls;
    controls.window = viewer;
    controls.imageArea = findControl(viewer, editor::ViewerImageAreaId);
    // The only child of the image area, wherever scrolling put it.
    if (controls.imageArea != nullptr) controls.paintBox = GetWindow(controls.imageArea, GW_CHILD);
    controls.envTab = findControl(viewer, editor::ViewerEnvTabId);
    controls.diffTab = findControl(viewer, editor::ViewerDiffTabId);
    controls.alfaTab = findControl(viewer, editor::ViewerAlfaTabId);
    controls.transparencyLine = findControl(viewer, editor::ViewerTransparencyLineId);
    return controls;
}

EditorUser::EditorUser(const std::string& program) : session_(program, textureFolderSettings(userFolder_)) {}

bool EditorUser::ready() {
    if (!session_.started() || session_.mainWindow() == nullptr) return false;
    controls_ = findMainWindowControls(session_.mainWindow());
    return controls_.complete();
}

std::string EditorUser::inUserFolder(const std::string& name) const {
    return toCp1251(userFolder_.path().wstring()) + "\\" + name;
}

std::string EditorUser::inTextureFolder(const std::string& name) const {
    return inUserFolder(std::string(kTextureFolderName) + "\\" + name);
}

bool EditorUser::openModel(const std::string& fileBytes, const std::string& name) {
    test_support::writeFileBytes(inUserFolder(name), fileBytes);
    return session_.chooseFile(kOpenItem, inUserFolder(name)) && session_.waitForEarlierCommands();
}

bool EditorUser::search(const std::string& text) {
    return typeIntoBox(controls_.searchBox, text) && clickMiddle(controls_.findButton) && waitForEarlierInput();
}

bool EditorUser::showAll() { return clickMiddle(controls_.showAllButton) && waitForEarlierInput(); }

bool EditorUser::clickRow(int row) {
    return session_.clickListRow(controls_.materialList, row) && waitForEarlierInput();
}

bool EditorUser::enterText(HWND box, const std::string& text) {
    return enterIntoBox(box, text) && waitForEarlierInput();
}

bool EditorUser::waitForEarlierInput() const { return editor_driver::waitForEarlierInput(controls_.searchBox); }

std::array<std::string, 3> EditorUser::shownNames() const {
    return {windowText(controls_.reflectionNameBox), windowText(controls_.diffuseNameBox),
            windowText(controls_.alphaNameBox)};
}

}  // namespace editor_driver
