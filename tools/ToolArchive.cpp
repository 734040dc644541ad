#include "tools/ToolArchive.h"

#include <new>

#include "common/platform/FileSource.h"
#include "engine/archive/DATFunctions.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

dat::FixedDATInfo checkedInfo(const platform::ArchiveSource& source) {
  if (source.Length() >= dat::TrailerSize && !dat::IsSkarrow2DAT(source))
    throw ArchiveRefused(QStringLiteral("not a Skarrow 2 DAT archive (its last 4 bytes are not its length)"));
  try {
    return dat::GetFixedDATInfo(source);
  } catch (const dat::DatError& error) {
    throw ArchiveRefused("not a Skarrow 2 DAT archive: " + error.message());
  }
}

}  // namespace

RecordRange::Iterator::Iterator(const platform::ArchiveSource& source, const dat::FixedDATInfo& info)
    : directory_(source, info), position_(info.DirTreeAddr), total_(info.FilesTotal) {
  readNext();
}

void RecordRange::Iterator::readNext() {
  if (++read_ > total_) return;
  try {
    dat::DirRecord record = directory_.RecordAt(position_, read_);
    position_ = record.NextPosition;
    entry_ = engine::TreeDirOf(std::move(record));
  } catch (const dat::DatError& error) {
    throw ArchiveRefused("its directory cannot be read: " + error.message());
  }
}

ToolArchive::ToolArchive(const QString& path, std::shared_ptr<const platform::ArchiveSource> source)
    : path_(path), source_(std::move(source)), info_(checkedInfo(*source_)) {
  // Every record checked before a command starts, so that none stops halfway.
  RecordRange::Iterator record = Records().begin();
  while (record != std::default_sentinel) ++record;
}

const engine::ColTrees& ToolArchive::Folders() const {
  if (folders_) return *folders_;
  auto folders = std::make_unique<engine::ColTrees>();
  engine::ColSubTree* folder = nullptr;
  for (const engine::ClsTreeDir* entry : Records())
    folder = &engine::AddToFolder(*folders, std::make_shared<engine::ClsTreeDir>(*entry), folder);
  folders_ = std::move(folders);
  return *folders_;
}

std::vector<const engine::ClsTreeDir*> ToolArchive::ByFolder() const {
  const engine::ColTrees& folders = Folders();
  std::vector<const engine::ClsTreeDir*> entries;
  entries.reserve(static_cast<std::size_t>(info_.FilesTotal));
  for (const auto& folder : folders)
    for (const auto& entry : *folder) entries.push_back(entry.get());
  return entries;
}

int WithArchive(const QString& path, const std::function<int(const ToolArchive&)>& command) {
  try {
    QString reason;
    std::shared_ptr<const platform::ArchiveSource> source = platform::FileSource::Open(path, &reason);
    if (!source) throw ArchiveRefused("cannot open it: " + reason);
    const ToolArchive archive(path, std::move(source));
    return command(archive);
  } catch (const ArchiveRefused& refused) {
    Complain(path + ": " + refused.reason());
  } catch (const std::bad_alloc&) {
    // What a command holds beyond one record grows with the directory.
    Complain(path + QStringLiteral(": there is not enough memory for its directory"));
  }
  return Refused;
}

}  // namespace tools
