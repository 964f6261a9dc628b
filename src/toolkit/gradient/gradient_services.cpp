#include "toolkit/gradient/gradient_services.h"

#include "toolkit/gradient/gradient_pixels.h"

namespace toolkit::gradient_services {

namespace {

struct Library {
    HMODULE module = nullptr;
    int users = 0;
    Services services{};
    bool forcedFallback = false;
};

Library& library() {
    static Library loaded;
    return loaded;
}

template <class Function>
Function lookUp(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

void acquire() {
    Library& lib = library();
    if (lib.users++ > 0) return;
    lib.module = LoadLibraryW(L"msimg32.dll");
    if (lib.module == nullptr) return;
    lib.services.gradientFill = lookUp<GradientFillFunction>(lib.module, "GradientFill");
    lib.services.transparentBlt = lookUp<TransparentBltFunction>(lib.module, "TransparentBlt");
}

void release() {
    Library& lib = library();
    if (lib.users == 0 || --lib.users > 0) return;
    if (lib.module != nullptr) FreeLibrary(lib.module);
    lib.module = nullptr;
    lib.services = {};
}

int versionClass() {
    static const int systemClass = gradient::versionClass(static_cast<std::uint32_t>(GetVersion()));
    return systemClass;
}

const Services* usable() {
    const Library& lib = library();
    if (lib.forcedFallback || lib.services.gradientFill == nullptr || lib.services.transparentBlt == nullptr ||
        !gradient::servicesUsable(versionClass()))
        return nullptr;
    return &lib.services;
}

void forceFallback(bool forced) { library().forcedFallback = forced; }

}  // namespace toolkit::gradient_services
