// The application object: its window stands for the program in the task
// bar; it owns the forms and runs the message loop.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/object.h"
#include "toolkit/windows/form.h"

namespace toolkit {

// The program as a whole: its window stands for it in the task bar; it owns
// the forms and runs the message loop.
class Application : public Control {
public:
    explicit Application(const std::string& title);

    // The first form added is the main form.
    void addForm(Form& form);
    Form* mainForm() const { return mainForm_; }
    // Registers the form whose rectangle the minimise animation starts from
    // and whose minimise button minimises the application.
    void registerMinimiseForm(Form& form) { minimiseForm_ = &form; }
    Form* minimiseForm() const { return minimiseForm_; }
    // Hides the forms (each remembering how it was shown) and minimises the
    // application window; restore shows them again.
    void minimise();
    void restore();
    Application& setIcon(HINSTANCE module, const char* resourceName);

    // A message the pre-filter returns true for is not dispatched.
    void setPreFilter(std::function<bool(MSG&)> filter) { preFilter_ = std::move(filter); }
    // Runs after each key or mouse message the loop has handled.
    void setOnInputHandled(std::function<void()> handler) { onInputHandled_ = std::move(handler); }
    // Runs once the loop starts: the forms are shown, nothing queued has
    // been handled yet.
    void setOnStarted(std::function<void()> handler) { onStarted_ = std::move(handler); }

    // Shows the main form, runs the message loop until the program is told
    // to end, then handles what is still queued and closes every window.
    void run();
    bool terminated() const { return terminated_; }
    // Paints every window with pending painting at once.
    static void updateAllWindows();

    // The running application, or nullptr.
    static Application* current() { return current_; }

protected:
    ~Application() override;
    DWORD windowStyle() const override;
    DWORD windowExStyle() const override { return 0; }
    HWND parentWindow() override { return nullptr; }
    HWND makeWindow() override;
    void windowMade() override;
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void handleQueuedMessages();

    static Application* current_;
    Form* mainForm_ = nullptr;
    Form* minimiseForm_ = nullptr;
    std::vector<Form*> forms_;
    std::function<bool(MSG&)> preFilter_;
    std::function<void()> onInputHandled_;
    std::function<void()> onStarted_;
    HICON icon_ = nullptr;
    bool terminated_ = false;
};

core::Ref<Application> newApplication(const std::string& title);

}  // namespace toolkit
