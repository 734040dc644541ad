#pragma once
// Packs the files of an input tree into an archive, in the tree's order. The
// workers read and compress the files that fit in memory, several at once;
// this thread writes the bodies in order and itself streams the files too
// large to hold. Memory stays bounded: a file is held whole only up to
// WholeLimit, and the files in flight together hold at most FlightBytes per
// worker.
#include <QStringList>
#include <functional>
#include <vector>

#include "engine/archive/NamePatterns.h"
#include "engine/pack/InputTree.h"

namespace engine {

class DatArchiveWriter;

struct PackOptions {
  int level = 6;  // 0: every body stored
  int workers = 1;
  NamePatterns store{{}};  // files stored as they are, whatever they compress to
  // Told of each file just before its body is written, in the tree's order,
  // so that a caller can write what comes before it in the archive.
  std::function<void(const InputFile&)> beforeBody;
};

struct PackResult {
  QStringList failed;  // "path: reason" of files that could not be read
  bool stopped = false;
};

// roots: the input folders the tree was walked from, by WalkScope::root;
// packed: told the real size of each file once it is in the archive. Throws
// ArchiveWriteError when the archive cannot be written or would pass 2 GiB.
PackResult PackFiles(const InputTree& tree, const std::vector<const platform::FolderHandle*>& roots,
                     const PackOptions& options, DatArchiveWriter& writer,
                     const std::function<void(qint64)>& packed, const std::function<bool()>& stopRequested);

inline constexpr qint64 WholeLimit = 4 << 20;
inline constexpr qint64 FlightBytes = 6 << 20;

}  // namespace engine
