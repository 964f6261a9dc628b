// The windows beside the main one that follow the material panel (the
// flags window, the usage window) share their look and their close box,
// which only hides them.
#pragma once

#include <string>

#include "toolkit/windows/application.h"
#include "toolkit/windows/form.h"

namespace editor {

// A form at (left, top) with a client area of width x height, in the
// panel's grey and font, whose close box only hides it.
toolkit::Form& newSideWindow(toolkit::Application& application, const std::string& caption, int left, int top,
                             int width, int height);

}  // namespace editor
