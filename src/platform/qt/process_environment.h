#pragma once

namespace lumivane {

// Gives standard input, output and error that were closed when the program
// started a place to go (/dev/null). Otherwise the next file opened, the X
// connection even, would take their number and receive whatever the program
// prints. Call it first thing.
void OpenClosedStandardStreams();

// Makes the environment what the folder lookups expect: HOME from the user
// database when it is unset or not absolute, and the XDG folders that are set
// to relative paths dropped (they are invalid and must be ignored), so that
// the defaults apply.
void RepairFolderEnvironment();

}  // namespace lumivane
