#include "common/platform/FileNumbers.h"

#include <unistd.h>

#include <array>
#include <cerrno>

#include "common/platform/RegularFile.h"

namespace platform {
namespace {

// An archive is only read while it is open, so its length is taken once; a
// file cut short meanwhile gives short reads, which the readers refuse.
struct Slot {
  int fd = -1;
  qint64 length = 0;
};

std::array<Slot, MaxFileNumber + 1>& table() {
  static std::array<Slot, MaxFileNumber + 1> files;
  return files;
}

const Slot* slotOf(int n) { return n < 1 || n > MaxFileNumber || table()[n].fd < 0 ? nullptr : &table()[n]; }

}  // namespace

int FreeFile() {
  for (int n = 1; n <= MaxFileNumber; ++n)
    if (table()[n].fd < 0) return n;
  return 0;
}

bool OpenFile(int n, const QString& path, QString* error) {
  const auto refuse = [error](const QString& reason) {
    if (error) *error = reason;
    return false;
  };
  if (n < 1 || n > MaxFileNumber || table()[n].fd >= 0)
    return refuse(QStringLiteral("file number ") + QString::number(n) + QStringLiteral(" is not free"));
  const OpenedFile opened = OpenRegularFile(path);
  if (opened.fd < 0) return refuse(opened.refusal);
  table()[n] = {opened.fd, opened.length};
  return true;
}

bool IsOpen(int n) { return slotOf(n) != nullptr; }

qint64 FileLength(int n) {
  const Slot* slot = slotOf(n);
  return slot ? slot->length : -1;
}

// pread keeps no shared file position, so several threads may read one number at once.
qint64 ReadAt(int n, qint64 position, char* buffer, qint64 len) {
  const Slot* slot = slotOf(n);
  if (!slot || len < 0) return -1;
  if (position < 1) return 0;
  qint64 done = 0;
  while (done < len) {
    const ssize_t got = ::pread(slot->fd, buffer + done, static_cast<size_t>(len - done),
                                static_cast<off_t>(position - 1 + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += got;
  }
  return done;
}

int Descriptor(int n) {
  const Slot* slot = slotOf(n);
  return slot ? slot->fd : -1;
}

void CloseFile(int n) {
  if (!slotOf(n)) return;
  ::close(table()[n].fd);
  table()[n] = {};
}

void CloseAll() {
  for (int n = 1; n <= MaxFileNumber; ++n) CloseFile(n);
}

int OpenCount() {
  int count = 0;
  for (const Slot& slot : table()) count += slot.fd >= 0 ? 1 : 0;
  return count;
}

}  // namespace platform
