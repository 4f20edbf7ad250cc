#pragma once

#include <optional>
#include <string>

#include "byte_sink.h"
#include "row_gate.h"
#include "render/image.h"

namespace lumivane {

// Each encoder streams the picture to the sink row by row, straight from
// our 0x00RRGGBB pixels (no converted copy), and returns the problem or
// nothing. The libraries never print: their messages become the result.
// With a gate, each row is read only once the gate has let it through.

// PNG, 8-bit RGB, zlib level 1 with the "up" filter on every row: about
// three times faster than the libraries' default filter search, for a file
// a few per cent larger.
std::optional<std::string> EncodePng(const Image& picture, ByteSink& sink, RowGate* gate = nullptr);

// Baseline JPEG at quality 1..100 (libjpeg's scale), 4:2:0 chroma.
std::optional<std::string> EncodeJpeg(const Image& picture, int quality, ByteSink& sink,
                                      RowGate* gate = nullptr);

// BMP, 24-bit rows bottom-up, byte for byte as Qt writes it.
std::optional<std::string> EncodeBmp(const Image& picture, ByteSink& sink, RowGate* gate = nullptr);

}  // namespace lumivane
