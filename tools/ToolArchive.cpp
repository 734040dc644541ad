#include "tools/ToolArchive.h"

#include <new>

#include "engine/archive/DATFunctions.h"
#include "tools/JsonOutput.h"
#include "tools/StandardOutput.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

QString refusalText(const engine::ArchiveRefusal& refusal) {
  using Kind = engine::ArchiveRefusal::Kind;
  switch (refusal.kind) {
    case Kind::CannotOpen:
      return "cannot open it: " + refusal.detail;
    case Kind::NotAnArchive:
      return "not a Skarrow 2 DAT archive (" + refusal.detail + ")";
    case Kind::BadFixedValues:
      return "not a Skarrow 2 DAT archive: " + refusal.detail;
    case Kind::BadDirectory:
      return "its directory cannot be read: " + refusal.detail;
    default:
      return QStringLiteral("there is not enough memory for its directory");
  }
}

}  // namespace

RecordRange::Iterator::Iterator(const platform::ArchiveSource& source, const dat::FixedDATInfo& info)
    : walk_(source, info) {
  readNext();
}

void RecordRange::Iterator::readNext() {
  done_ = walk_.AtEnd();
  if (!done_) entry_ = engine::TreeDirOf(walk_.Next());
}

ToolArchive::ToolArchive(const QString& path, const engine::OpenedArchive& opened)
    : path_(path), source_(opened.Source), info_(opened.Info) {
  // Every record checked before a command starts, so that none stops halfway.
  for (engine::DirectoryWalk walk(*source_, info_); !walk.AtEnd();) walk.Skip();
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

int WithArchive(const QString& path, const std::function<int(const ToolArchive&)>& command, bool json) {
  engine::ArchiveRefusal refusal;
  try {
    const engine::OpenedArchive opened = engine::OpenArchiveFile(path);
    if (opened) {
      const ToolArchive archive(path, opened);
      return command(archive);
    }
    refusal = opened.Refusal;
  } catch (const engine::ArchiveRefused& refused) {
    refusal = refused.refusal();
  } catch (const std::bad_alloc&) {
    // What a command holds beyond one record grows with the directory.
    refusal.kind = engine::ArchiveRefusal::Kind::NoMemory;
  }
  Complain(path + ": " + refusalText(refusal));
  if (json) Output(JsonError(path + ": " + refusalText(refusal)));
  return Refused;
}

}  // namespace tools
