#include "tallyhold/windows/ErrorHandler.h"

#include <cerrno>

#include "common/platform/EndProgram.h"

namespace tallyhold {

namespace {

constexpr int32_t FileNotFound = 53;
constexpr int32_t DeviceUnavailable = 68;
constexpr int32_t PathFileAccessError = 75;
constexpr int32_t PathNotFound = 76;
constexpr int32_t DeviceIOError = 57;
constexpr int32_t DiskFull = 61;
constexpr int32_t BadFileName = 64;
constexpr int32_t PermissionDenied = 70;

const QString CR = QStringLiteral("\r");

QString fatalText(int32_t number, const QString& description, const QString& detail) {
  return "Fatal Error: " + QString::number(number) + ", " + description + " '" + detail + "'" + CR + CR +
         "The program can't continue and it will be closed." + CR +
         "If the problem persists please contact the author.";
}

QString pathNotFoundText(int32_t number, const QString& description) {
  return "Error: " + QString::number(number) + ", " + description + CR + CR +
         "     Possible causes and solutions:" + CR + CR +
         "1. You have tried to create a folder with more than 255 characters, Windows can't handle more "
         "than that long" +
         CR + "2. You're using too much Microsoft software, burn your computer and install Linux" + CR +
         "3. It could be a bug! Check readme.txt for further information";
}

int32_t numberOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return PathNotFound;
    case ENOMEDIUM:
    case ENODEV:
    case ENXIO:
      return DeviceUnavailable;
    case EEXIST:
    case ENOTEMPTY:
    case EISDIR:
      return PathFileAccessError;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
      return PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return DiskFull;
    case EINVAL:
    case EILSEQ:
      return BadFileName;
    default:
      return DeviceIOError;
  }
}

}  // namespace

platform::MsgAnswer HandleError(int32_t number, const QString& description, const QString& detail) {
  using platform::MsgButtons;
  using platform::MsgIcon;
  switch (number) {
    case FileNotFound:
      platform::Dialogs().message(fatalText(number, description, detail), "File not Found Error",
                                  MsgIcon::Critical, MsgButtons::Ok);
      platform::EndProgram();
      return platform::MsgAnswer::Ok;
    case DeviceUnavailable:
      return platform::Dialogs().message("Error: " + QString::number(number) + ", " + description,
                                         "Device/Drive Error", MsgIcon::Exclamation, MsgButtons::RetryCancel);
    case PathFileAccessError:
      return platform::Dialogs().message("Error: " + QString::number(number) + ", the path already exists",
                                         description, MsgIcon::Exclamation, MsgButtons::Ok);
    case PathNotFound:
      return platform::Dialogs().message(pathNotFoundText(number, description), description, MsgIcon::Exclamation,
                                         MsgButtons::Ok);
    case DeviceIOError:
    case DiskFull:
    case BadFileName:
    case PermissionDenied:
      return platform::Dialogs().message("Error: " + QString::number(number) + ", " + description, description,
                                         MsgIcon::Exclamation, MsgButtons::Ok);
    default:
      platform::EndProgram();
      return platform::MsgAnswer::Ok;
  }
}

FileSystemFailure FileSystemFailureOf(std::error_code error) {
  const std::error_condition condition = error.default_error_condition();
  const int value = condition.category() == std::generic_category() ? condition.value() : 0;
  return {numberOf(value), QString::fromStdString(error.message())};
}

}  // namespace tallyhold
