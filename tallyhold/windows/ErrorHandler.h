#pragma once
// Reports a failed file-system operation of the destination chooser by its
// failure number: 53 file not found, 68 device unavailable, 75 path or file
// access error, 76 path not found, and the file-system failures whose message
// gives the system's own reason: 57 device I/O error, 61 disk full, 64 bad
// file name, 70 permission denied. Every other number ends the program.
#include <QString>
#include <cstdint>
#include <system_error>

#include "common/platform/DialogService.h"

namespace tallyhold {

// detail names what failed; the callers pass empty text. Returns after the
// box for 57, 61, 64, 68, 70, 75 and 76; ends the program after the box for
// 53 and at once, without a box, for any other number. The answer is the
// box's: Retry or Cancel for 68, the drive error; Ok for every other box and
// where no box was shown.
platform::MsgAnswer HandleError(int32_t number, const QString& description, const QString& detail);

struct FileSystemFailure {
  int32_t number = 0;
  QString description;  // the system's own text
};

// The failure number and description of a real file-system error, so that
// every one reaches a message and none ends the program: a missing folder or
// parent or a path too long 76, a device not ready 68, an existing name 75; a
// refused permission or a read-only disk 70, a full disk 61, a name the file
// system refuses 64, anything else 57, each shown with the system's reason.
FileSystemFailure FileSystemFailureOf(std::error_code error);

}  // namespace tallyhold
