#include "tallyhold/archive/ClsTreeDir.h"

#include "tallyhold/archive/CommonFunctions.h"

namespace tallyhold {

QByteArray ClsTreeDir::FilePath() const { return GetFolderPath(Filename); }

}  // namespace tallyhold
