#pragma once

#include <QString>

namespace lumivane::testing {

// The temporary runtime folder ($XDG_RUNTIME_DIR, mode 0700) that every
// test of this program shares.
QString RuntimeFolder();

}  // namespace lumivane::testing
