#pragma once
// Extracts every entry of the active archive into a new folder named after the
// archive file, with the archive's folders beneath it.
#include <QByteArray>
#include <QList>

#include "tallyhold/windows/DestinationChooser.h"

namespace tallyhold {

class frmExtractAll : public DestinationChooser {
  Q_OBJECT
 public:
  // treeFolders: the full path of every node of the archive window's tree but
  // the root, in the tree's order ("TEXT", "TEXT\ENGLISH", ...).
  frmExtractAll(const ExtractSource& source, const QList<QByteArray>& treeFolders);

  // Dir1's folder, then the archive's file name: /out/archive.dat, or
  // /archive.dat at the top of the file system.
  QString DestRoot() const;

 private:
  void extract();

  QList<QByteArray> treeFolders_;
};

}  // namespace tallyhold
