// The application object: its window stands for the program in the task
// bar; it owns the forms and runs the message loop.
#include "toolkit/windows/application.h"

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/form.h"

namespace toolkit {

Application* Application::current_ = nullptr;

Application::Application(const std::string& title) : Control(nullptr, ownWindowClass(L"App")) {
    caption_ = title;
    current_ = this;
}

Application::~Application() {
    if (current_ == this) current_ = nullptr;
}

void Application::addForm(Form& form) {
    forms_.push_back(&form);
    if (mainForm_ == nullptr) mainForm_ = &form;
}

Application& Application::setIcon(HINSTANCE module, const char* resourceName) {
    icon_ = loadIcon(module, resourceName);
    if (window_ != nullptr) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    return *this;
}

DWORD Application::windowStyle() const { return WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX; }

HWND Application::makeWindow() {
    // No size: the window is never seen, only its task bar button.
    return CreateWindowExW(0, className_, core::toWide(caption_).c_str(), windowStyle(),
                           GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), creationData());
}

void Application::windowMade() {
    if (icon_ != nullptr) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    HMENU systemMenu = GetSystemMenu(window_, FALSE);
    EnableMenuItem(systemMenu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
    DeleteMenu(systemMenu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_MOVE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND);
}

void Application::minimise() {
    if (minimiseForm_ != nullptr && minimiseForm_->handle() != nullptr) {
        RECT bounds;
        GetWindowRect(minimiseForm_->handle(), &bounds);
        SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, 0,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (Form* form : forms_) form->applicationMinimised();
    ShowWindow(window_, SW_MINIMIZE);
}

void Application::restore() {
    ShowWindow(window_, SW_RESTORE);
    for (Form* form : forms_) form->applicationRestored();
    // The keys go to the main form again, not to this window, which is
    // never seen.
    if (mainForm_ != nullptr && mainForm_->handle() != nullptr && IsWindowVisible(mainForm_->handle()))
        SetForegroundWindow(mainForm_->handle());
}

bool Application::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_CLOSE:
            if (terminated_) {
                DestroyWindow(window_);  // takes the forms' windows with it
            } else {
                PostQuitMessage(0);
            }
            return true;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                minimise();
                return true;
            }
            if ((wParam & 0xFFF0) == SC_RESTORE) {
                restore();
                return true;
            }
            // The user closing the program at its task bar button closes the
            // main form, whose close event may still keep it open.
            if ((wParam & 0xFFF0) == SC_CLOSE && mainForm_ != nullptr && mainForm_->handle() != nullptr) {
                mainForm_->close();
                return true;
            }
            return false;
        default:
            return Control::handleMessage(message, wParam, lParam, result);
    }
}

void Application::handleQueuedMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            continue;
        }
        if (preFilter_ && preFilter_(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
        const bool input = (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
                           (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST);
        if (input && onInputHandled_) onInputHandled_();
    }
}

void Application::run() {
    current_ = this;
    createWindow();
    ShowWindow(window_, SW_SHOWNORMAL);
    for (Form* form : forms_)
        if (form->visible() || form == mainForm_) form->setVisible(true);
    if (mainForm_ != nullptr) SetForegroundWindow(mainForm_->handle());
    if (onStarted_) onStarted_();
    handleQueuedMessages();  // what was queued before the loop started
    while (!terminated_) {
        WaitMessage();
        handleQueuedMessages();
    }
    terminated_ = true;
    handleQueuedMessages();
    SendMessageW(window_, WM_CLOSE, 0, 0);
}

void Application::updateAllWindows() {
    if (current_ == nullptr) return;
    for (Form* form : current_->forms_) form->update();
}

core::Ref<Application> newApplication(const std::string& title) { return core::create<Application>(title); }

Form& newForm(Application& application, const std::string& caption) {
    Form& form = *core::create<Form>(application, caption).detach();  // owned by the application
    application.addForm(form);
    return form;
}

}  // namespace toolkit
