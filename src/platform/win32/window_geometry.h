#pragma once

#include <windows.h>

namespace lumivane::win32 {

// A rectangle of the given size centred over another and then moved (not
// resized) so that it lies inside the bounds where it fits; where it is
// larger than the bounds its top-left corner stays inside them.
RECT CentreWithin(const RECT& over, LONG width, LONG height, const RECT& bounds);

// Moves a dialog so that it is centred over its owner and inside the work
// area of the owner's monitor, as dialogs at template position (0, 0) are.
void CentreOverOwner(HWND dialog);

}  // namespace lumivane::win32
