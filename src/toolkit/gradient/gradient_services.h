// The system services the gradient-styled controls draw with when they
// may: GradientFill and TransparentBlt from msimg32, looked up at run time.
// The library is loaded for the first gradient control and released with
// the last one.
#pragma once

#include <windows.h>

namespace toolkit::gradient_services {

using GradientFillFunction = BOOL(WINAPI*)(HDC dc, PTRIVERTEX vertices, ULONG vertexCount, PVOID meshes,
                                           ULONG meshCount, ULONG mode);
using TransparentBltFunction = BOOL(WINAPI*)(HDC target, int x, int y, int width, int height, HDC source,
                                             int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                                             UINT transparentColor);

struct Services {
    GradientFillFunction gradientFill;
    TransparentBltFunction transparentBlt;
};

// A gradient control comes and goes.
void acquire();
void release();

// Both services when the library offers both and the system's version
// class allows them; nullptr when the controls draw bands and copy through
// a mask instead.
const Services* usable();

// The system's version class (see gradient::versionClass).
int versionClass();

// Makes the controls draw as on a system without the services (tests of
// the fallback drawing use it); false returns to the normal choice.
void forceFallback(bool forced);

}  // namespace toolkit::gradient_services
