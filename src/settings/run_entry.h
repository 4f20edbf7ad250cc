#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/ports.h"

namespace lumivane {

// The start entry holds the quoted path in 260 characters with its
// terminating zero, so the path itself may have at most 256 (characters as
// Windows counts them, not UTF-8 bytes).
inline constexpr std::size_t kMaxProgramPathLength = 256;
inline constexpr const char* kPathTooLongMessage = "File pathname is too long.";

// Brings the start-at-logon entry in line with the wish (nonzero: start at
// logon) and stores in options/start what could be done: the wish itself
// when the entry was written, else 0, in which case the entry is removed.
// Only a program path too long for the entry is reported, through owner.
void UpdateRunEntry(std::int32_t wanted, ProfileStore& store, StartupRegistration& registration,
                    MessageSink& owner);

}  // namespace lumivane
