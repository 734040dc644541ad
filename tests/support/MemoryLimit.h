#pragma once
// Runs a check in a child process whose address space may grow only a little
// above what it maps now, so that an allocation sized by a number from a file
// fails there instead of succeeding.
#include <QtGlobal>
#include <functional>

namespace testsupport {

// The test passes when check returns true in a child (re-run of this test)
// limited to `bytes` more address space. Skipped under AddressSanitizer, which
// maps address space of its own.
void ExpectWithinAddressSpace(qint64 bytes, const std::function<bool()>& check);

}  // namespace testsupport
