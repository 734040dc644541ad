#pragma once
// Where a program's folder list starts.
#include <QString>

namespace platform {

// The program's own folder when it is a copy that may write there; the home
// folder for an installed program (in the folder it was built to be installed
// in, or in one the user cannot write).
QString StartFolder(const QString& programFolder);

}  // namespace platform
