#include "engine/pack/OldDirectory.h"

#include <algorithm>

#include "engine/archive/DirectoryWalk.h"

namespace engine {

OldDirectory::OldDirectory(const platform::ArchiveSource& source, const dat::FixedDATInfo& info) {
  // The trailer's counts are bounded by the file's size, the reservations
  // by a cap besides; beyond them the buffers grow as the records come.
  entries_.reserve(static_cast<std::size_t>(std::min(info.FilesTotal, 1 << 20)));
  const qint64 nameBytes = qint64{info.TreeSize} - 4 - qint64{dat::RecordFixedSize} * info.FilesTotal;
  names_.reserve(std::clamp<qint64>(nameBytes, 0, 64 << 20));
  std::vector<qsizetype> starts;
  starts.reserve(entries_.capacity());
  for (DirectoryWalk walk(source, info); !walk.AtEnd();) {
    const dat::DirRecordView record = walk.NextView();
    starts.push_back(names_.size());
    names_.append(record.Filename);
    entries_.push_back({{}, record.Type == 1, record.RealSize, record.PackedSize, record.Offset});
  }
  // The names buffer has stopped moving only now.
  starts.push_back(names_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i)
    entries_[i].name = QByteArrayView(names_.constData() + starts[i], starts[i + 1] - starts[i]);
}

}  // namespace engine
