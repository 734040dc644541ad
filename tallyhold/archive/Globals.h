#pragma once
// The program-wide state that ties each loaded archive to its window.
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "tallyhold/archive/ColDatFiles.h"

namespace tallyhold {

// The archive window activated last; numbers travel as decimal text.
struct ActiveDATRecord {
  QString Caption;      // the archive's full path
  QString Index;        // archive number
  QString WindowIndex;  // the window's slot in DATWindows
  QString FileNumber;   // always equal to Index
};

constexpr int FirstWindowSlot = 256;

extern std::unique_ptr<ColDatFiles> DATFiles;
// Archive windows by slot; slots below 256 stay empty and no slot is reused.
// Held as QObject so that this layer needs no window header.
extern std::vector<QPointer<QObject>> DATWindows;
extern int32_t LastWindowIndex;
extern int16_t LoadFileNo;
extern int32_t LoadIndex;
extern bool StopRequested;
extern ActiveDATRecord ActiveDAT;
extern QString ActivePane;  // "Tree" or "List": the pane of an archive window used last

// The first two steps of start-up: a new, empty DATFiles and slots 0 to 255.
void CreateGlobals();

// Appends a slot to DATWindows and returns its index (256 for the first archive).
// A plain int: a long session opens far more than 32,767 archives without harm.
int32_t AddWindowSlot();

// Numeric parse of a number held as text; 0 when it is not a number.
int32_t NumberOf(const QString& text);

}  // namespace tallyhold
