#pragma once
#include <QString>
#include <QThread>
#include <algorithm>
#include <memory>

#include "engine/archive/ClsDatFile.h"

class QWidget;

namespace tallyhold {

// The threads of an extraction run: one per core.
inline int ExtractionWorkers() { return std::max(1, QThread::idealThreadCount()); }

// What an extraction dialog takes from the frame when it opens: the frame is
// disabled while the dialog is open, so none of it changes meanwhile.
struct ExtractSource {
  QWidget* MainWindow = nullptr;                // disabled while the dialog is open
  std::shared_ptr<engine::ClsDatFile> Archive;  // its Index is the number of its open file
  QString ArchivePath;                          // the active archive window's caption
  int Workers = ExtractionWorkers();            // the run's threads
};

}  // namespace tallyhold
