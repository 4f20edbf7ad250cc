#pragma once

#include <QByteArray>
#include <QString>

namespace lumivane {

// The file a path names once symbolic links are followed, whether that file
// exists yet or not (a dotfiles manager's link may point at a file still to
// be made). Empty, with the cause, for a loop or a link that cannot be read.
QString FollowLinks(const QString& path, QString* cause = nullptr);

// Replaces the file with exactly these bytes: written to a temporary file
// beside it (beside the link's target for a symbolic link), which takes the
// file's name only once every write, the flush to disk and the close have
// succeeded. On any failure (a full disk, a short write, a folder in its
// place) the old file stays untouched, no temporary file is left, the result
// is false and `cause` (when given) says why in words.
bool WriteFileAtomically(const QString& path, const QByteArray& contents, QString* cause = nullptr);

}  // namespace lumivane
