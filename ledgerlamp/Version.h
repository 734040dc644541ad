#pragma once

namespace ledgerlamp {

constexpr int VersionMajor = 1;
constexpr int VersionMinor = 1;
constexpr int VersionRevision = 3;
inline constexpr const char* ProgramTitle = "Ledgerlamp";

}  // namespace ledgerlamp
