#pragma once

#include <optional>
#include <string>

#include "render/image.h"
#include "render_options.h"
#include "row_gate.h"

namespace lumivane {

// Writes the picture to the file, or as PNG to standard output for "-"
// (a reader that closes the pipe early is no failure: with SIGPIPE ignored
// the writing then stops quietly).
// A file is written whole or not at all: on any failure the file that was
// there before stays untouched and no partial file is left behind. quality
// (1..100) is for JPEG. With a gate, rows are encoded as it lets them
// through. Returns the problem, or nothing on success.
std::optional<std::string> WritePicture(const Image& picture, const std::string& output,
                                        PictureFormat format, int quality, RowGate* gate = nullptr);

}  // namespace lumivane
