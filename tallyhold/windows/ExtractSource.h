#pragma once
#include <QString>
#include <memory>

#include "engine/archive/ClsDatFile.h"

class QWidget;

namespace tallyhold {

// What an extraction dialog takes from the frame when it opens: the frame is
// disabled while the dialog is open, so none of it changes meanwhile.
struct ExtractSource {
  QWidget* MainWindow = nullptr;        // disabled while the dialog is open
  std::shared_ptr<engine::ClsDatFile> Archive;  // its Index is the number of its open file
  QString ArchivePath;                  // the active archive window's caption
};

}  // namespace tallyhold
