#include "tallyhold/archive/ClsTreeDir.h"

#include "common/dat/DatFormat.h"
#include "tallyhold/archive/CommonFunctions.h"

namespace tallyhold {

QByteArray ClsTreeDir::Key() const {
  return Filename.leftJustified(dat::NameBufferSize, ' ', true);
}

QByteArray ClsTreeDir::FilePath() const { return GetFolderPath(Filename); }

}  // namespace tallyhold
