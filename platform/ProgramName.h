#pragma once
// The program file's name as the process was started, and its base name (the name of the
// instance lock and of the application window).

#include <QString>

namespace platform {

// The program path as started (argv[0]), readable before the application object exists.
QString programFilePath();

// The part after the last '/' less its extension: the last four characters are cut when
// they are a dot and three characters without a dot ("Brenvik.exe" -> "Brenvik"). A name
// without such an extension, as Linux program files are, is kept whole.
QString exeBaseName(const QString& programPath);

// exeBaseName(programFilePath()).
QString appExeName();

}  // namespace platform
