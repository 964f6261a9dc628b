// The four auxiliary windows, built hidden after the viewer and never
// shown: "Form3" to "Form6".
#pragma once

#include "toolkit/windows/application.h"

namespace editor {

void buildAuxiliaryWindows(toolkit::Application& application);

}  // namespace editor
