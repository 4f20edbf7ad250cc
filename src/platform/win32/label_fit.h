#pragma once

#include <windows.h>

namespace lumivane::win32 {

// Fonts differ in their proportions from one DPI (and system) to another: a
// short label that does not fit its place grows until its text does, to
// the right and down, or to both sides when centred, rather than lose
// letters or lines. A label that fits stays exactly as it is.
void GrowToFitText(HWND label, bool centred);

}  // namespace lumivane::win32
