#include "common/platform/HiddenFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace platform::hiddenfiles {
namespace {

constexpr char Digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr char Suffix[] = ".part";
constexpr std::size_t MaxDigits = 13;  // 2^64 - 1 in base 36
constexpr std::size_t NameRoom = 1 + MaxPrefix + 1 + MaxDigits + sizeof Suffix;

// Also called by the signal handler: no allocation, no library state.
void format(char* out, const char* prefix, std::uint64_t number) {
  *out++ = '.';
  while (*prefix) *out++ = *prefix++;
  *out++ = '-';
  char digits[MaxDigits];
  std::size_t count = 0;
  do {
    digits[count++] = Digits[number % 36];
    number /= 36;
  } while (number != 0);
  while (count > 0) *out++ = digits[--count];
  for (const char* c = Suffix; c < Suffix + sizeof Suffix; ++c) *out++ = *c;
}

// An entry is read by the handler while another thread may change it: the
// version is odd while it changes, and a reader that sees it change tries
// again. Only lock-free atomics are safe in a handler.
struct Entry {
  std::atomic<bool> taken{false};
  std::atomic<unsigned> version{0};
  std::atomic<int> folder{-1};
  std::atomic<const char*> prefix{nullptr};
  std::atomic<std::uint64_t> number{0};
};
static_assert(std::atomic<std::uint64_t>::is_always_lock_free && std::atomic<const char*>::is_always_lock_free);

// Far more than the files a run has in flight at once.
constexpr int Entries = 4096;
Entry table[Entries];

void write(Entry& entry, int folder, const char* prefix, std::uint64_t number) {
  const unsigned version = entry.version.load(std::memory_order_relaxed);
  entry.version.store(version + 1, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  entry.folder.store(folder, std::memory_order_relaxed);
  entry.prefix.store(prefix, std::memory_order_relaxed);
  entry.number.store(number, std::memory_order_relaxed);
  entry.version.store(version + 2, std::memory_order_release);
}

void remove(const Entry& entry) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const unsigned version = entry.version.load(std::memory_order_acquire);
    const int folder = entry.folder.load(std::memory_order_relaxed);
    const char* prefix = entry.prefix.load(std::memory_order_relaxed);
    const std::uint64_t number = entry.number.load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    if (version % 2 != 0 || entry.version.load(std::memory_order_relaxed) != version) continue;
    if (!prefix) return;
    char name[NameRoom];
    format(name, prefix, number);
    ::unlinkat(folder, name, 0);
    return;
  }
}

}  // namespace

std::string Name(const char* prefix, std::uint64_t number) {
  if (std::strlen(prefix) > MaxPrefix) return {};
  char name[NameRoom];
  format(name, prefix, number);
  return name;
}

bool IsName(const std::string& name, const char* prefix) {
  const std::string start = std::string(".") + prefix + "-";
  const std::size_t suffix = sizeof Suffix - 1;
  if (name.size() <= start.size() + suffix || name.size() > start.size() + MaxDigits + suffix) return false;
  if (name.compare(0, start.size(), start) != 0 || name.compare(name.size() - suffix, suffix, Suffix) != 0)
    return false;
  for (std::size_t at = start.size(); at < name.size() - suffix; ++at) {
    const char c = name[at];
    if (!(c >= '0' && c <= '9') && !(c >= 'a' && c <= 'z')) return false;
  }
  return true;
}

int Add(int folder, const char* prefix, std::uint64_t number) {
  if (std::strlen(prefix) > MaxPrefix) return -1;
  for (int at = 0; at < Entries; ++at) {
    bool free = false;
    if (table[at].taken.load(std::memory_order_relaxed) ||
        !table[at].taken.compare_exchange_strong(free, true, std::memory_order_acquire))
      continue;
    write(table[at], folder, prefix, number);
    return at;
  }
  return -1;
}

void Drop(int entry) {
  if (entry < 0) return;
  write(table[entry], -1, nullptr, 0);
  table[entry].taken.store(false, std::memory_order_release);
}

void RemoveAll() {
  const int saved = errno;
  for (const Entry& entry : table) remove(entry);
  errno = saved;
}

}  // namespace platform::hiddenfiles
