#pragma once
// Writing a whole archive from Tallyhold: its bodies go into a hidden file in
// the archive's folder, with the progress window and its Cancel, and the file
// is renamed in under the archive's name only when complete, so that a
// Cancel or a failure leaves whatever stood there whole.
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/FolderHandle.h"
#include "engine/pack/ArchivePacker.h"

namespace engine {
class DatArchiveWriter;
}  // namespace engine

namespace tallyhold {

// Writes the bodies into the writer, telling the bytes of each one written
// and asking whether to stop (PackFiles, WritePatch).
using BodyWriting =
    std::function<engine::PackResult(engine::DatArchiveWriter& writer, const std::function<void(qint64)>& packed,
                                     const std::function<bool()>& stopRequested)>;

// True once the archive stands under name in folder. path: the archive as
// boxes name it; bytes: what the bodies come to, for the bar; records: the
// directory's order (Finish). Every failure and a Cancel are told in a box.
bool WriteArchive(const QString& path, const std::shared_ptr<platform::FolderHandle>& folder,
                  const std::string& name, qint64 bytes, const BodyWriting& bodies,
                  const std::vector<int>& records = {});

// The box of a change not made: "PATH was not changed: REASON."
void TellNotChanged(const QString& path, const QString& reason);

}  // namespace tallyhold
