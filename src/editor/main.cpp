// Skirvane: the editor of the material properties of 4DS models.
#include <windows.h>

#include "editor/auxiliary_windows.h"
#include "editor/main_window.h"
#include "editor/viewer_window.h"
#include "toolkit/base/object.h"
#include "toolkit/windows/application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    toolkit::Ref<toolkit::Application> application = toolkit::newApplication("Skirvane");
    application->setIcon(instance, "ICON");
    editor::MainWindow& mainWindow = editor::MainWindow::build(*application);
    mainWindow.attachViewer(editor::ViewerWindow::build(*application, mainWindow.textureFolder()));
    editor::buildAuxiliaryWindows(*application);
    application->run();
    return 0;
}
