#pragma once
#include <QString>
#include <cstdint>

namespace gulpwellbench {

// Words, numbers and line breaks, compressing about as well as ordinary text.
bool WriteTextLike(const QString& path, int64_t size);

// 64 KiB stretches of random bytes, text, zero runs and tables of integers in
// turn, as in a mixed binary file.
bool WriteMixedBinary(const QString& path, int64_t size);

}  // namespace gulpwellbench
