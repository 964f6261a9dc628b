#include "toolkit/windows/message_box.h"

#include "core/code_page.h"
#include "toolkit/windows/application.h"

namespace toolkit {

int messageBox(const std::string& text, UINT flags) {
    const Application* application = Application::current();
    const std::wstring caption = application != nullptr ? core::toWide(application->caption()) : std::wstring();
    return MessageBoxW(nullptr, core::toWide(text).c_str(), caption.c_str(), flags);
}

}  // namespace toolkit
