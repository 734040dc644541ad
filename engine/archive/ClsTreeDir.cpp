#include "engine/archive/ClsTreeDir.h"

#include "engine/archive/CommonFunctions.h"

namespace engine {

QByteArray ClsTreeDir::FilePath() const { return GetFolderPath(Filename); }

}  // namespace engine
