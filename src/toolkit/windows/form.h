// A form: a top-level window of the application, with its icon, client
// size, close request and the show state kept while the program is
// minimised.
#pragma once

#include <array>
#include <string>

#include "toolkit/windows/control.h"

namespace toolkit {

class Application;

enum SizeLimit : int { MinWidth = 0, MinHeight = 1, MaxWidth = 2, MaxHeight = 3 };

// A top-level window owned by the application object.
class Form : public Control {
public:
    Form(Application& application, const std::string& caption);

    // Sets the client area; values not above 0 leave that dimension.
    Form& setClientSize(int width, int height);
    // How far the user may resize the form; 0 sets no limit.
    Form& setSizeLimit(SizeLimit limit, int value);
    Form& setIcon(HINSTANCE module, const char* resourceName);
    Form& setOnClose(CloseEvent handler) {
        onClose_ = std::move(handler);
        return *this;
    }
    // With a handler the form takes files dropped onto it from the shell.
    Form& setOnFilesDropped(FilesDroppedEvent handler);
    Form& setStayOnTop(bool stayOnTop);
    // Makes the form visible, brings it to the foreground and focuses it.
    void showAndBringToFront();
    // Places the form in the middle of the screen.
    void centre();
    // Asks the form to remember its show state while the application is
    // minimised and to take it again when it is restored.
    void rememberShowState() { remembersShowState_ = true; }

    // The client area less what the status bar takes at the bottom.
    int clientHeight() const override;
    int statusBarHeight() const;
    class StatusBar* statusBar() const { return statusBar_; }
    class MainMenu* menu() const { return menu_; }

protected:
    DWORD windowStyle() const override;
    DWORD windowExStyle() const override;
    HWND parentWindow() override;
    HWND makeWindow() override;
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class Application;
    friend class StatusBar;
    friend class MainMenu;
    void applicationMinimised();
    void applicationRestored();

    Application& application_;
    CloseEvent onClose_;
    FilesDroppedEvent onFilesDropped_;
    HICON icon_ = nullptr;
    HWND focusedChild_ = nullptr;  // taken back when the form is active again
    int clientWidthWanted_ = 0, clientHeightWanted_ = 0;
    std::array<int, 4> sizeLimits_{};
    bool stayOnTop_ = false;
    bool remembersShowState_ = false;
    int rememberedShowState_ = 0;  // 0 = none
    class StatusBar* statusBar_ = nullptr;
    class MainMenu* menu_ = nullptr;
};

Form& newForm(Application& application, const std::string& caption);

}  // namespace toolkit
