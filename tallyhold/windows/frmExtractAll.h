#pragma once
// Extracts every entry of the active archive into a new folder named after the
// archive file, with the archive's folders beneath it.
#include "engine/extract/ExtractionPlan.h"
#include "tallyhold/windows/DestinationChooser.h"

namespace tallyhold {

class frmExtractAll : public DestinationChooser {
  Q_OBJECT
 public:
  explicit frmExtractAll(const ExtractSource& source);

  // Dir1's folder, then the archive's file name: /out/archive.dat, or
  // /archive.dat at the top of the file system.
  QString DestRoot() const;

 private:
  void extract();

  engine::ExtractionPlan plan_;
};

}  // namespace tallyhold
