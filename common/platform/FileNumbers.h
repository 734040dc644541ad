#pragma once
// The windows' open files, addressed by small numbers 1..255, each an archive
// source. An archive keeps its file number for as long as it stays open, and
// that number is also its archive number; the readers are handed the source.
#include <QString>
#include <QtGlobal>
#include <memory>

#include "common/platform/ArchiveSource.h"

namespace platform {

constexpr int MaxFileNumber = 255;

// Lowest number not in use, or 0 when all 255 are taken.
int FreeFile();

// Opens an existing regular file for reading under number n. A folder, pipe or
// device is refused at once, never waited on. On failure returns false and,
// when error is given, the reason.
bool OpenFile(int n, const QString& path, QString* error = nullptr);

// Opens the file under the lowest free number and returns it; 0 when no
// number is free or the file cannot be opened, with the reason in error.
int OpenFreeFile(const QString& path, QString* error);
bool IsOpen(int n);

// The source behind n, or null when n is not open. A reader holding it keeps
// the file readable after n is closed, until it lets go.
std::shared_ptr<const ArchiveSource> SourceOf(int n);

// Closing a number that is not open is harmless.
void CloseFile(int n);
void CloseAll();

// How many numbers are in use (for checks that nothing stayed open).
int OpenCount();

}  // namespace platform
