#pragma once

#include <QByteArray>
#include <QString>

// Replaces the contents of one of our own files (list files, reelbox.ini) with `bytes`.
//
// The new contents go to a new file in the same folder, which is renamed over the old one only
// when everything was written: a failed save (disk full, a size limit, a lost device) leaves the
// previous file as it was. When the folder does not let us create that new file but the file
// itself is writable, the file is rewritten in place instead, so such a save still succeeds; that
// rewrite starts only once the disk has given the room for it, and a failed one leaves the
// previous contents.
// A file that exists but is not writable is left alone (renaming over it would replace a
// write-protected file).
//
// Returns 0, or the errno value that describes the failure.
int saveFile(const QString& filePath, const QByteArray& bytes);
