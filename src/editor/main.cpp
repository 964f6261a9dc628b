// Skirvane: the editor of the material properties of 4DS models.
#include <windows.h>

#include "editor/Unit1.h"
#include "editor/Unit2.h"
#include "editor/Unit3_6.h"
#include "toolkit/controls.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    toolkit::Ref<toolkit::Application> application = toolkit::newApplication("Skirvane");
    application->setIcon(instance, "ICON");
    editor::MainWindow& mainWindow = editor::MainWindow::build(*application);
    mainWindow.attachViewer(editor::ViewerWindow::build(*application, mainWindow.textureFolder()));
    editor::buildAuxiliaryWindows(*application);
    application->run();
    return 0;
}
