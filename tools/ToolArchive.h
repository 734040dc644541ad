#pragma once
// An archive opened for a command: its file under a file number, its trailer
// values checked, its whole directory read into the object model, as
// Tallyhold opens and scans one.
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "tallyhold/archive/ClsDatFile.h"

namespace tools {

class ToolArchive {
 public:
  // Throws ArchiveRefused.
  explicit ToolArchive(const QString& path);
  ~ToolArchive();
  ToolArchive(const ToolArchive&) = delete;
  ToolArchive& operator=(const ToolArchive&) = delete;

  const QString& Path() const { return path_; }
  int FileNo() const { return fileNo_; }
  const tallyhold::ClsDatFile& Model() const { return *model_; }
  const tallyhold::ColTrees& Folders() const { return model_->ColTrees(); }
  // In the order of the directory records.
  const std::vector<const tallyhold::ClsTreeDir*>& Records() const { return records_; }
  // Folder by folder, as Extract all goes.
  std::vector<const tallyhold::ClsTreeDir*> ByFolder() const;

 private:
  QString path_;
  int fileNo_ = 0;
  std::shared_ptr<tallyhold::ClsDatFile> model_;
  std::vector<const tallyhold::ClsTreeDir*> records_;
};

// The archive cannot be opened or read; the text says why.
class ArchiveRefused : public std::runtime_error {
 public:
  explicit ArchiveRefused(const QString& reason) : std::runtime_error(reason.toStdString()), reason_(reason) {}
  const QString& reason() const { return reason_; }

 private:
  QString reason_;
};

// Runs the command on the opened archive; a refused archive is told and
// ends the command with status Refused.
int WithArchive(const QString& path, const std::function<int(const ToolArchive&)>& command);

}  // namespace tools
