#pragma once

#include <QString>

#include <cstdio>

// Exports a session file saved by the window into folder exactly as the window's export of it
// would: the same files, names and pixels. Files already there are replaced only with force.
// Returns the exit status: 1 when the session cannot be read, a photo of it is missing or a file
// could not be written (the others are written).
int exportSession(const QString &sessionFile, const QString &folder, bool force, bool quiet,
                  std::FILE *messages);
