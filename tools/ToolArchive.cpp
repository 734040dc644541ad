#include "tools/ToolArchive.h"

#include "common/dat/DatRecord.h"
#include "common/platform/FileNumbers.h"
#include "tallyhold/archive/DATFunctions.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

dat::FixedDATInfo checkedInfo(int fileNo) {
  const qint64 length = platform::FileLength(fileNo);
  if (length >= dat::TrailerSize && !dat::IsSkarrow2DAT(fileNo, {}))
    throw ArchiveRefused(QStringLiteral("not a Skarrow 2 DAT archive (its last 4 bytes are not its length)"));
  try {
    return dat::GetFixedDATInfo(fileNo, length);
  } catch (const dat::DatError& error) {
    throw ArchiveRefused("not a Skarrow 2 DAT archive: " + error.message());
  }
}

}  // namespace

ToolArchive::ToolArchive(const QString& path) : path_(path), model_(std::make_shared<tallyhold::ClsDatFile>()) {
  fileNo_ = platform::FreeFile();
  QString reason = QStringLiteral("no free file number");
  if (fileNo_ == 0 || !dat::OpenDAT(path, fileNo_, &reason)) throw ArchiveRefused("cannot open it: " + reason);
  try {
    const dat::FixedDATInfo info = checkedInfo(fileNo_);
    model_->SetFixedInfo(info);
    dat::DirectoryReader directory(fileNo_, info);
    qint64 position = info.DirTreeAddr;
    tallyhold::ColSubTree* folder = nullptr;
    for (int n = 1; n <= info.FilesTotal; ++n) {
      dat::DirRecord record = directory.RecordAt(position, n);
      position = record.NextPosition;
      std::shared_ptr<tallyhold::ClsTreeDir> entry = tallyhold::NewTreeDir(std::move(record));
      records_.push_back(entry.get());
      folder = &tallyhold::AddToFolder(model_->ColTrees(), std::move(entry), folder);
    }
  } catch (const dat::DatError& error) {
    platform::CloseFile(fileNo_);
    throw ArchiveRefused("its directory cannot be read: " + error.message());
  } catch (...) {
    platform::CloseFile(fileNo_);
    throw;
  }
}

ToolArchive::~ToolArchive() { platform::CloseFile(fileNo_); }

std::vector<const tallyhold::ClsTreeDir*> ToolArchive::ByFolder() const {
  std::vector<const tallyhold::ClsTreeDir*> entries;
  entries.reserve(records_.size());
  for (const auto& folder : Folders())
    for (const auto& entry : *folder) entries.push_back(entry.get());
  return entries;
}

int WithArchive(const QString& path, const std::function<int(const ToolArchive&)>& command) {
  std::unique_ptr<ToolArchive> archive;
  try {
    archive = std::make_unique<ToolArchive>(path);
  } catch (const ArchiveRefused& refused) {
    Complain(path + ": " + refused.reason());
    return Refused;
  }
  return command(*archive);
}

}  // namespace tools
