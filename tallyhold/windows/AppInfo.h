#pragma once
#include <QString>

namespace tallyhold {

// The program's title (message box captions, the about box) and version.
inline QString AppTitle() { return QStringLiteral("Tallyhold"); }
constexpr int VersionMajor = 1;
constexpr int VersionMinor = 1;
constexpr int VersionRevision = 2;

}  // namespace tallyhold
