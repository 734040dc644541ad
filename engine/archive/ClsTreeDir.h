#pragma once
#include <QByteArray>
#include <cstdint>

namespace engine {

// One directory entry. Names are the archive's 8-bit bytes, shown as Latin-1.
class ClsTreeDir {
 public:
  // Derived rather than stored: a million entries would otherwise each carry a
  // second copy of their folder.
  QByteArray FilePath() const;  // folder part with trailing "\", or "\"

  int32_t Offset = 0;
  int32_t PackedSize = 0;
  int32_t RealSize = 0;
  uint8_t fType = 0;  // only 1 means compressed
  QByteArray Filename;
  int32_t FilenameSize = 0;

  bool IsCompressed() const { return fType == 1; }
};

}  // namespace engine
