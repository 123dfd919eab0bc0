#pragma once
// The per-user folder that holds the instance locks and window sockets.

#include <QString>

namespace platform {

// XDG_RUNTIME_DIR through QStandardPaths when it is set and usable, otherwise a folder of
// this user's own in /tmp (created 0700). Empty when neither can be used.
QString runtimeFolder();

// A file-name-safe key for a name: its percent-encoded UTF-8 when that fits in maxLength,
// otherwise "#" and a hash of it ('#' never occurs in the encoded form).
QString fileKey(const QString& name, int maxLength);

}  // namespace platform
