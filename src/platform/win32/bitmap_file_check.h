#pragma once

#include <string>

namespace lumivane::win32 {

// Whether the file at path may be handed to the system's bitmap loader,
// which trusts a file's headers and reads past the end of one that lies: a
// regular file (no folder, device or pipe) whose headers CheckBmpHeader
// accepts. Reads only the headers. A refusal says why on the debug output.
bool IsLoadableBitmapFile(const std::string& path);

}  // namespace lumivane::win32
