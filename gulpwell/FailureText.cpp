#include "gulpwell/FailureText.h"

namespace gulpwell {
namespace {

QString inBrackets(const QString& reason) {
  return reason.isEmpty() ? QString() : QStringLiteral(" (") + reason + ')';
}

}  // namespace

QString FailureText(const Outcome& outcome, const QString& sourcePath, const QString& outputPath) {
  const QString why = inBrackets(outcome.reason);
  switch (outcome.failure) {
    case Failure::SourceUnreadable:
      return sourcePath + QStringLiteral(" cannot be read") + why + '.';
    case Failure::SourceEmpty:
      return sourcePath + QStringLiteral(" is empty: there is nothing to do.");
    case Failure::StreamDamaged:
      return sourcePath + QStringLiteral(" is not a whole zlib stream") + why +
             QStringLiteral(". Nothing was written.");
    case Failure::ZlibError:
      return QStringLiteral("zlib could not process ") + sourcePath + why +
             QStringLiteral(". Nothing was written.");
    case Failure::OutputUnwritable:
      return outputPath + QStringLiteral(" could not be written") + why + '.';
    case Failure::OutputIsSource:
      return outputPath + QStringLiteral(" is the file being decompressed: choose another name. Nothing was "
                                         "written.");
    case Failure::None:
      break;
  }
  return {};
}

}  // namespace gulpwell
