// Where the program finds its own files: the help pages and the wizard's files.
#pragma once

#include <QString>

namespace AppPaths {
// The folder of the executable.
QString programFolder();
// The help pages: share/tabrino/help beside the executable's bin folder (installed and
// build layouts alike), or a help folder next to the executable.
QString helpFolder();
} // namespace AppPaths
