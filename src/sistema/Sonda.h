#pragma once

#include <QString>

namespace Sonda {

// Opens the named file for reading and closes it again at once. Only a regular file is opened, and
// nothing waits on it: a pipe, a device, a directory or a file another program holds never holds up
// the caller, and the file is left exactly as it was. True when the file could be opened.
bool apriEChiudi(const QString &nomeFile);

} // namespace Sonda
