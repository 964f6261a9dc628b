// Message boxes with the application's title as caption.
#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

constexpr UINT kStopMessage = MB_TASKMODAL | MB_ICONSTOP;                // 0x2010
constexpr UINT kInformationMessage = MB_TASKMODAL | MB_ICONINFORMATION;  // 0x2040
// Not task-modal: the program's windows stay usable while it is open.
constexpr UINT kNoticeMessage = MB_ICONINFORMATION;  // 0x40
// A question answered with Yes, No or Cancel (IDYES, IDNO, IDCANCEL).
constexpr UINT kQuestionMessage = MB_TASKMODAL | MB_ICONQUESTION | MB_YESNOCANCEL;  // 0x2023

// A message box with the application's caption and no owner window.
int messageBox(const std::string& text, UINT flags);

}  // namespace toolkit
