#include "tests/support/MemoryLimit.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <QFile>
#include <cstdlib>

namespace testsupport {
namespace {

// VmSize of /proc/self/status, in bytes; -1 when it cannot be read.
qint64 mappedBytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmSize:")) return line.mid(7).trimmed().split(' ')[0].toLongLong() * 1024;
  return -1;
}

// False when the limit could not be set.
bool limitAddressSpaceToCurrentPlus(qint64 bytes) {
  const qint64 mapped = mappedBytes();
  if (mapped < 0) return false;
  const rlimit limit{static_cast<rlim_t>(mapped + bytes), static_cast<rlim_t>(mapped + bytes)};
  return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

}  // namespace

void ExpectWithinAddressSpace(qint64 bytes, const std::function<bool()>& check) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer maps address space of its own";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::_Exit(limitAddressSpaceToCurrentPlus(bytes) && check() ? 0 : 1), ::testing::ExitedWithCode(0),
              "");
}

}  // namespace testsupport
