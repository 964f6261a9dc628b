// Skirvane: the editor of the material properties of 4DS models. The one
// argument it takes is a model to open at start (what the shell passes for
// "Open with", a double click on an associated file or a file dropped on
// the program's icon); further arguments are ignored.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "core/object.h"
#include "editor/auxiliary_windows.h"
#include "editor/flags_window.h"
#include "editor/main_window.h"
#include "editor/texts/interface_texts.h"
#include "editor/usage_window.h"
#include "editor/viewer_window.h"
#include "toolkit/windows/application.h"

namespace {

// The first argument of the command line, or nothing.
std::wstring modelArgument() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) return {};
    std::wstring path = count > 1 ? arguments[1] : L"";
    LocalFree(arguments);
    return path;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    core::Ref<toolkit::Application> application =
        toolkit::newApplication(editor::text(editor::TextName::ApplicationTitle));
    application->setIcon(instance, "ICON");
    editor::MainWindow& mainWindow = editor::MainWindow::build(*application);
    mainWindow.attachViewer(editor::ViewerWindow::build(*application, mainWindow.textureFolder()));
    editor::buildAuxiliaryWindows(*application);
    mainWindow.attachFlagsWindow(editor::FlagsWindow::build(*application, mainWindow.panel()));
    mainWindow.attachUsageWindow(editor::UsageWindow::build(*application, mainWindow.panel()));
    if (const std::wstring path = modelArgument(); !path.empty())
        application->setOnStarted([&mainWindow, path] { mainWindow.openAtStart(path); });
    application->run();
    return 0;
}
