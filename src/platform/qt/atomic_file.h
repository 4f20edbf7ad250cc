#pragma once

#include <QByteArray>
#include <QString>

namespace lumivane {

// Replaces the file with exactly these bytes: written to a temporary file
// beside it, which takes the file's name only once every byte is on disk.
// On any failure (a full disk, a short write) the old file stays untouched,
// no temporary file is left, and the result is false.
bool WriteFileAtomically(const QString& path, const QByteArray& contents);

}  // namespace lumivane
