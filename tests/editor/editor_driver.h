// Drives the real editor program from outside, the way a user does: starts
// it in a fresh folder, finds its windows, reads what its controls and the
// screen show, chooses menu items, answers its dialogs and message boxes,
// and works it with the real pointer and keyboard. Every wait has a time limit, so that a test never
// hangs on a program that does not answer.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ppm_picture.h"
#include "temp_folder.h"
#include "window_queries.h"

namespace editor_driver {

using window_queries::className;
using window_queries::findControl;
using window_queries::findDescendant;
using window_queries::fromCp1251;
using window_queries::hasClass;
using window_queries::pressButton;
using window_queries::toCp1251;
using window_queries::windowText;

// Time limits in milliseconds.
constexpr int kStartTimeout = 20000;   // the first window of a program just started under Wine
constexpr int kWindowTimeout = 10000;  // a dialog or a change on screen after a command
constexpr int kExitTimeout = 10000;    // a program ending after it was told to

// A path as the Windows side takes it: a Unix path (as the build names its
// files) becomes a path on drive Z:, Wine's view of the Unix root.
std::wstring windowsPath(const std::string& path);

// Checks `done` every 20 ms until it holds or the time runs out.
bool waitUntil(const std::function<bool()>& done, int timeoutMilliseconds = kWindowTimeout);

// --- Windows of any process ---------------------------------------------------

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};
void PrintTo(const Bounds& bounds, std::ostream* out);

// The outer rectangle relative to the parent's client area (to the screen
// for a top-level window).
Bounds boundsInParent(HWND window);
SIZE clientSize(HWND window);
SIZE outerSize(HWND window);

struct ChildWindow {
    HWND handle = nullptr;
    std::wstring className;
    std::string text;
    Bounds bounds;
    bool enabled = false;
    bool visible = false;
};
// The direct children of `parent`, in the system's order.
std::vector<ChildWindow> childWindows(HWND parent);
// The direct child of that class whose top-left corner is at (left, top)
// of `parent`'s client area.
HWND findChildAt(HWND parent, const std::wstring& className, int left, int top);

// The position of a progress bar (PBM_GETPOS).
int progressPosition(HWND bar);
// The limits the window gives for resizing (WM_GETMINMAXINFO, which the
// system carries across processes).
std::optional<MINMAXINFO> sizeLimits(HWND window);

// --- The real pointer ------------------------------------------------------------
// Moves and clicks go through SendInput, so the program sees what a user's
// mouse gives: moves, enter and leave tracking, hit tests, sizing loops.

// Moves the pointer to (x, y) of the window's client area.
bool movePointerTo(HWND window, int x, int y);
// Moves the pointer to the screen's top-left corner, away from the
// programs' windows (which open in the middle of the screen).
bool parkPointer();
// Drags the window's bottom-right sizing corner by (dx, dy) with the left
// button, as a user resizes a window; true when the drag could be made.
bool dragBottomRightCorner(HWND window, int dx, int dy);
// Clicks the close box of the window's title bar.
bool clickCloseBox(HWND window);
// Clicks the window's title bar away from its buttons, as a user brings a
// window to the front, and waits until it is the foreground window; the
// title bar must not be covered.
bool bringToFront(HWND window);
// A left click at (x, y) of the window's client area; false when the
// pointer could not be put there.
bool clickAt(HWND window, int x, int y);
// A left click in the middle of the window's client area (a button, an
// edit box).
bool clickMiddle(HWND window);

// --- The real keyboard -------------------------------------------------------------
// Keys go through SendInput to the window that has the keyboard focus, so
// the program sees what a user's keyboard gives: key-downs, characters
// made from them, key-ups.

// Presses and releases one key.
void pressKey(WORD virtualKey);
// The same with the Ctrl key held.
void pressControlKey(WORD virtualKey);
// Types the text (code page 1251) character by character, whatever the
// keyboard layout; a control that changes typed letters (to capitals, say)
// gets the characters as typed.
void typeText(const std::string& text);
// Any text, also characters code page 1251 lacks.
void typeText(const std::wstring& text);
// The window that has the keyboard focus in the thread that owns `window`.
HWND focusedWindow(HWND window);
// Clicks the edit box, waits until it has the keyboard focus, removes its
// text (all of it selected, then the Delete key) and types `text`. False
// when the box did not get the focus.
bool typeIntoBox(HWND box, const std::string& text);
bool typeIntoBox(HWND box, const std::wstring& text);
// typeIntoBox, then the Enter key.
bool enterIntoBox(HWND box, const std::string& text);
bool enterIntoBox(HWND box, const std::wstring& text);
// Returns once the program has handled every key and click given before:
// types a mark at the end of the edit box, waits until the box shows it
// and takes it back. Choose a box whose typed characters run no handler
// of the program (the editor's search box). False when the box did not
// show the mark in time.
bool waitForEarlierInput(HWND box);

// --- What the screen shows ---------------------------------------------------------

// The window's client area as it stands on the screen, covered parts
// included: bring the window to the front first. Pixels 0x00RRGGBB.
// A 32-bit section of the size, top row first, for drawing into and
// reading back; nullptr when the system gives none.
HBITMAP newPixelSection(int width, int height, std::uint32_t*& pixels);
test_support::Picture screenPicture(HWND window);

// --- Memory in another process ----------------------------------------------------

// A block of memory in another process, for the messages whose pointer
// arguments the system does not carry across processes (those of the
// common controls: list view, tree view, status bar, and the folder dialog).
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool valid() const { return address_ != nullptr; }
    // The address in the other process, as a message argument.
    LPARAM at(std::size_t offset = 0) const;
    bool write(std::size_t offset, const void* data, std::size_t size) const;
    bool read(std::size_t offset, void* data, std::size_t size) const;

private:
    HANDLE process_;
    void* address_;
    std::size_t size_;
};

// --- The program ------------------------------------------------------------------

struct AgentBlock;  // shared with the program agent inside the program

struct MenuItem {
    std::vector<std::string> path;  // captions from the menu bar down, without their shortcut keys
    std::string shortcut;           // what the caption shows after its tab
    UINT id = 0;
    bool separator = false;
    bool checked = false;
    bool enabled = true;
    bool hasSubMenu = false;
};

// One run of a program in a folder of its own. The program is copied there,
// "Skirvane.ini" is written beside it when settings are given, and it starts
// with that folder as its current folder; the pointer is parked first, so
// that the program finds it over none of its windows. The session ends the
// program when it goes (a close request first, then, as a last resort,
// termination), and removes the folder.
class EditorSession {
public:
    static constexpr char kSettingsFile[] = "Skirvane.ini";

    // With a folder name given, the program and its settings go into a
    // folder of that name inside the session's folder; `arguments` follow
    // the program's name on its command line.
    EditorSession(const std::string& program, const std::optional<std::string>& settings,
                  std::string mainCaption = "Skirvane.textures", const std::wstring& programFolderName = L"",
                  const std::wstring& arguments = L"");
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    bool started() const { return process_ != nullptr; }
    const test_support::TempFolder& folder() const { return folder_; }
    // A path in the session's folder, as the program's texts hold paths.
    std::string file(const std::string& name) const { return folder_.file(name); }
    // The folder the program and its settings file lie in.
    const std::filesystem::path& programFolder() const { return programFolder_; }
    HANDLE process() const { return process_; }

    // The main window once it is on screen; nullptr when it did not come.
    HWND mainWindow(int timeoutMilliseconds = kStartTimeout);
    bool running() const;
    bool waitForExit(int timeoutMilliseconds = kExitTimeout) const;
    std::optional<DWORD> exitCode() const;  // none while the program runs

    // The program's visible top-level windows, and those of them that are
    // dialogs or message boxes (class "#32770").
    std::vector<HWND> topLevelWindows() const;
    // The program's top-level window with that caption, shown or hidden;
    // nullptr when there is none (yet).
    HWND windowWithCaption(const std::string& caption, int timeoutMilliseconds = kWindowTimeout) const;
    std::vector<HWND> dialogs() const;
    HWND waitForTopLevel(const std::function<bool(HWND)>& wanted, int timeoutMilliseconds = kWindowTimeout) const;
    // A message box: a dialog with a message text (control 0xFFFF).
    HWND waitForMessageBox(int timeoutMilliseconds = kWindowTimeout) const;
    // An open or save dialog: a dialog with a file name box.
    HWND waitForFileDialog(int timeoutMilliseconds = kWindowTimeout) const;
    // The folder dialog: a dialog with a folder tree.
    HWND waitForFolderDialog(int timeoutMilliseconds = kWindowTimeout) const;

    // The main window's menu, depth first in menu order (read inside the
    // program's process: see program_agent.h).
    std::vector<MenuItem> menu();
    std::optional<MenuItem> menuItem(const std::vector<std::string>& path);
    // Chooses the item as a click in the menu does: its command is posted
    // to the main window (posted, since it may open a modal dialog).
    bool chooseMenuItem(const std::vector<std::string>& path);
    // Drops the files onto the main window as the shell drops them
    // (WM_DROPFILES); true once the program has the drop.
    bool dropFiles(const std::vector<std::string>& paths);
    // Chooses the item and answers the file dialog it opens with `path`;
    // true once the dialog has taken it.
    bool chooseFile(const std::vector<std::string>& item, const std::string& path);
    // Shows and closes the editor's About box. Commands run in the order
    // they are chosen, so once the box is up every command chosen before it
    // is done. (Keys and clicks are not ordered with commands: the program
    // takes posted commands before waiting input; see waitForEarlierInput.)
    // True when the box came alone and went.
    bool waitForEarlierCommands();

    // The text of the main window's status bar (part 0; in simple mode the
    // bar gives its simple text there).
    std::string statusText();
    int listItemCount(HWND list) const;
    std::string listItemText(HWND list, int item, int column) const;
    UINT listItemState(HWND list, int item, UINT mask) const;
    // The texts of the first column, one per row, in the list's order.
    std::vector<std::string> listRows(HWND list) const;
    // The first selected row, or -1 when no row is selected.
    int selectedListRow(HWND list) const;
    // The row's text area in the list's client area; none when the list
    // does not say (no such row).
    std::optional<RECT> listRowRect(HWND list, int item) const;
    // Clicks the middle of the row's text, as a user selects a row.
    bool clickListRow(HWND list, int item) const;

    // Answers a file dialog: types the name into its name box and presses OK.
    bool enterFileName(HWND dialog, const std::string& path) const;
    // The caption of the folder dialog's selected folder.
    std::string selectedFolder(HWND dialog) const;
    // Selects a folder in the folder dialog by its item in the tree, the
    // folders on the way opened in turn; true once the dialog shows it
    // selected.
    bool selectFolder(HWND dialog, const std::string& path) const;

private:
    // The main window's caption: the program's alone, or after the name of
    // the open model ("car.4ds - ").
    bool isMainCaption(const std::string& caption) const;
    HWND findTopLevel(const std::function<bool(HWND)>& wanted) const;
    // The program's top-level windows, shown or hidden.
    std::vector<HWND> allTopLevelWindows() const;
    // Hooks the program agent into the main window's thread
    // (program_agent.h), with the block it serves; false when either cannot
    // be made.
    bool hookAgent(HWND window);
    std::wstring remoteText(HWND window, UINT lengthMessage, UINT textMessage, WPARAM part) const;
    std::string treeItemText(HWND tree, LPARAM item) const;
    // The folder dialog's tree item of the folder; 0 when the tree has none.
    LPARAM folderItem(HWND tree, const std::string& path) const;

    test_support::TempFolder folder_;
    std::string mainCaption_;
    std::filesystem::path programFolder_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND mainWindow_ = nullptr;
    HHOOK agentHook_ = nullptr;
    HANDLE agentMapping_ = nullptr;
    AgentBlock* agentBlock_ = nullptr;
    WPARAM agentToken_ = 0;  // names the block
};

// The text of a message box.
std::string messageText(HWND box);
// True once the window is destroyed. A modal dialog is hidden first and
// destroyed as its call returns; a command chosen before that would run
// inside the dialog's own loop, which no user can make happen.
bool waitForWindowGone(HWND window, int timeoutMilliseconds = kWindowTimeout);

// The value of a key in a section of an INI file, as its bytes stand there;
// none when the file, the section or the key is missing.
std::optional<std::string> iniValue(const std::string& path, const std::string& section, const std::string& key);
std::optional<std::string> iniValue(const std::filesystem::path& path, const std::string& section,
                                    const std::string& key);

// --- The editor's windows ------------------------------------------------------------

// The controls of the editor's main window that the tests drive, found by
// their class and their place in the layout (so before any resize). A
// control that is not there is nullptr.
struct MainWindowControls {
    HWND materialList = nullptr;       // the list view of the materials
    HWND showAllButton = nullptr;      // "Показать все"
    HWND searchBox = nullptr;          // the search text
    HWND findButton = nullptr;         // "Найти"
    HWND reflectionNameBox = nullptr;  // the edit box of "Текстура отражения:"
    HWND diffuseNameBox = nullptr;     // the edit box of "Основная текстура:"
    HWND alphaNameBox = nullptr;       // the edit box of "Alfa текстура:"
    HWND viewerButton = nullptr;       // "Viewer"

    // Every control above was found.
    bool complete() const;
};
MainWindowControls findMainWindowControls(HWND mainWindow);

// The viewer window ("Viewer") and its controls, found the same way.
struct ViewerControls {
    HWND window = nullptr;
    HWND imageArea = nullptr;  // the scroll box with the checkerboard
    HWND paintBox = nullptr;   // inside the image area, sized to the image shown
    HWND envTab = nullptr;
    HWND diffTab = nullptr;
    HWND alfaTab = nullptr;
    HWND transparencyLine = nullptr;  // by which rule the image is transparent

    bool complete() const;
};
ViewerControls findViewerControls(HWND viewer);

// One run of the editor as a user works with it: a folder of the user's
// own for the model files, holding the texture folder "Текстуры" that the
// settings file names, the editor started on them, and the user's steps.
// Each step returns true once the program has handled it.
class EditorUser {
public:
    static constexpr char kTextureFolderName[] = "Текстуры";

    explicit EditorUser(const std::string& program);

    // Waits for the main window and finds its controls; false when either
    // does not come.
    bool ready();

    EditorSession& session() { return session_; }
    const MainWindowControls& controls() const { return controls_; }
    // Paths as the program's texts hold them: in the user's folder, and in
    // the texture folder.
    std::string inUserFolder(const std::string& name) const;
    std::string inTextureFolder(const std::string& name) const;

    // Writes the model file into the user's folder and opens it with the
    // menu; true once the program has read it and filled its list, false
    // when it refused it (or anything else came up in a dialog).
    bool openModel(const std::string& fileBytes, const std::string& name = "model.4ds");
    // Types the text into the search box and presses "Найти".
    bool search(const std::string& text);
    // Presses "Показать все".
    bool showAll();
    // Clicks a row of the material list.
    bool clickRow(int row);
    // Types the text into an edit box of the panel and presses Enter.
    bool enterText(HWND box, const std::string& text);
    // waitForEarlierInput on the search box.
    bool waitForEarlierInput() const;

    std::vector<std::string> rows() const { return session_.listRows(controls_.materialList); }
    int selectedRow() const { return session_.selectedListRow(controls_.materialList); }
    // The texts of the reflection, diffuse and alpha name boxes.
    std::array<std::string, 3> shownNames() const;

private:
    test_support::TempFolder userFolder_;  // made before the session, whose settings name it
    EditorSession session_;
    MainWindowControls controls_;
};

}  // namespace editor_driver
