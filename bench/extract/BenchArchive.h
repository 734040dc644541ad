#pragma once
// The archives the benchmark extracts: generated text-like entries in many
// folders, mostly compressed, some stored, some above 8 MiB; and the model of
// an archive as the scan leaves it (folders in order of their first entry).
#include <QByteArray>
#include <QString>
#include <memory>

#include "common/platform/ArchiveSource.h"
#include "engine/archive/ColTrees.h"

namespace extractbench {

struct ArchiveShape {
  int entries = 30000;
  int folders = 600;
  int storedEvery = 10;  // every tenth small entry is stored
  bool bigEntries = true;
};

// Text-like bytes: words of a fixed vocabulary, compressing about 2.5 to 1.
QByteArray TextLike(qint64 size, uint32_t seed);

// Writes the archive; returns its size in bytes.
qint64 WriteArchive(const QString& path, const ArchiveShape& shape);

// An archive of one compressed entry of the given size.
qint64 WriteSingleEntryArchive(const QString& path, qint64 realSize);
// An archive of one stored entry of zeros of the given size (a sparse file).
qint64 WriteStoredEntryArchive(const QString& path, int32_t realSize);

struct LoadedArchive {
  std::shared_ptr<const platform::ArchiveSource> source;
  std::shared_ptr<engine::ColTrees> trees;
  int entries = 0;
  qint64 realBytes = 0;
};

// Opens the archive as a source and files its entries into folders.
LoadedArchive LoadArchive(const QString& path);

}  // namespace extractbench
