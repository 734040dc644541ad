#include "common/platform/FileNumbers.h"

#include <unistd.h>

#include <QFile>
#include <array>
#include <cerrno>
#include <memory>

namespace platform {
namespace {

std::array<std::unique_ptr<QFile>, MaxFileNumber + 1>& table() {
  static std::array<std::unique_ptr<QFile>, MaxFileNumber + 1> files;
  return files;
}

QFile* fileOf(int n) {
  if (n < 1 || n > MaxFileNumber) return nullptr;
  return table()[n].get();
}

}  // namespace

int FreeFile() {
  for (int n = 1; n <= MaxFileNumber; ++n)
    if (!table()[n]) return n;
  return 0;
}

bool OpenFile(int n, const QString& path, QString* error) {
  if (n < 1 || n > MaxFileNumber || table()[n]) {
    if (error) *error = QStringLiteral("file number %1 is not free").arg(n);
    return false;
  }
  auto file = std::make_unique<QFile>(path);
  if (!file->open(QIODevice::ReadOnly)) {
    if (error) *error = file->errorString();
    return false;
  }
  table()[n] = std::move(file);
  return true;
}

bool IsOpen(int n) { return fileOf(n) != nullptr; }

qint64 FileLength(int n) {
  QFile* file = fileOf(n);
  return file ? file->size() : -1;
}

// pread on the descriptor keeps no shared file position, so that several
// threads may read one archive at once.
qint64 ReadAt(int n, qint64 position, char* buffer, qint64 len) {
  QFile* file = fileOf(n);
  if (!file || len < 0) return -1;
  if (position < 1 || len == 0) return 0;
  qint64 done = 0;
  while (done < len) {
    const ssize_t got = ::pread(file->handle(), buffer + done, static_cast<size_t>(len - done), position - 1 + done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += got;
  }
  return done;
}

void CloseFile(int n) {
  if (n >= 1 && n <= MaxFileNumber) table()[n].reset();
}

void CloseAll() {
  for (auto& file : table()) file.reset();
}

int OpenCount() {
  int count = 0;
  for (const auto& file : table()) count += file ? 1 : 0;
  return count;
}

}  // namespace platform
