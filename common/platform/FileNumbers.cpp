#include "common/platform/FileNumbers.h"

#include <array>

#include "common/platform/FileSource.h"

namespace platform {
namespace {

std::array<std::shared_ptr<FileSource>, MaxFileNumber + 1>& table() {
  static std::array<std::shared_ptr<FileSource>, MaxFileNumber + 1> files;
  return files;
}

const FileSource* slotOf(int n) { return n < 1 || n > MaxFileNumber ? nullptr : table()[n].get(); }

}  // namespace

int FreeFile() {
  for (int n = 1; n <= MaxFileNumber; ++n)
    if (!table()[n]) return n;
  return 0;
}

bool OpenFile(int n, const QString& path, QString* error) {
  const auto refuse = [error](const QString& reason) {
    if (error) *error = reason;
    return false;
  };
  if (n < 1 || n > MaxFileNumber || table()[n])
    return refuse(QStringLiteral("file number ") + QString::number(n) + QStringLiteral(" is not free"));
  QString reason;
  table()[n] = FileSource::Open(path, &reason);
  return table()[n] ? true : refuse(reason);
}

int OpenFreeFile(const QString& path, QString* error) {
  const int n = FreeFile();
  if (n == 0) {
    *error = QStringLiteral("all %1 file numbers are in use").arg(MaxFileNumber);
    return 0;
  }
  return OpenFile(n, path, error) ? n : 0;
}

bool IsOpen(int n) { return slotOf(n) != nullptr; }

std::shared_ptr<const ArchiveSource> SourceOf(int n) { return slotOf(n) ? table()[n] : nullptr; }

void CloseFile(int n) {
  if (slotOf(n)) table()[n].reset();
}

void CloseAll() {
  for (int n = 1; n <= MaxFileNumber; ++n) CloseFile(n);
}

int OpenCount() {
  int count = 0;
  for (const auto& slot : table()) count += slot ? 1 : 0;
  return count;
}

}  // namespace platform
