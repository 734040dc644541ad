#pragma once
#include <QString>

#include "gulpwell/ZlibFunctions.h"

namespace gulpwell {

// What the user is told when an operation on sourcePath, writing outputPath, failed.
QString FailureText(const Outcome& outcome, const QString& sourcePath, const QString& outputPath);

}  // namespace gulpwell
