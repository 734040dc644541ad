#include "common/platform/FileNumbers.h"

#include <unistd.h>

#include <QFile>
#include <array>
#include <memory>

namespace platform {
namespace {

// An archive is only read while it is open, so its length is taken once.
struct OpenFileEntry {
  QFile file;
  qint64 length = 0;
};

std::array<std::unique_ptr<OpenFileEntry>, MaxFileNumber + 1>& table() {
  static std::array<std::unique_ptr<OpenFileEntry>, MaxFileNumber + 1> files;
  return files;
}

OpenFileEntry* fileOf(int n) {
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
  auto entry = std::make_unique<OpenFileEntry>();
  entry->file.setFileName(path);
  if (!entry->file.open(QIODevice::ReadOnly)) {
    if (error) *error = entry->file.errorString();
    return false;
  }
  entry->length = entry->file.size();
  table()[n] = std::move(entry);
  return true;
}

bool IsOpen(int n) { return fileOf(n) != nullptr; }

qint64 FileLength(int n) {
  const OpenFileEntry* entry = fileOf(n);
  return entry ? entry->length : -1;
}

// pread leaves no shared file position behind, so reads may come from several threads.
qint64 ReadAt(int n, qint64 position, char* buffer, qint64 len) {
  const OpenFileEntry* entry = fileOf(n);
  if (!entry || len < 0) return -1;
  if (position < 1 || position > entry->length || len == 0) return 0;
  qint64 done = 0;
  while (done < len) {
    const ssize_t got = ::pread(entry->file.handle(), buffer + done, static_cast<size_t>(len - done),
                                static_cast<off_t>(position - 1 + done));
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
