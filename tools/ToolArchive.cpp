#include "tools/ToolArchive.h"

#include <fcntl.h>
#include <unistd.h>

#include <limits>
#include <new>
#include <utility>

#include "common/platform/FileSource.h"
#include "common/platform/RegularFile.h"
#include "common/platform/SystemReason.h"
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

// Standard input's file in input, and the archive read from a copy of its
// descriptor; an archive is never larger than its 32-bit offsets reach.
engine::OpenedArchive openStandardInput(platform::OpenedFile& input) {
  input = platform::StandardInputFile(std::numeric_limits<int32_t>::max());
  if (input.fd < 0) return {{}, {}, {engine::ArchiveRefusal::Kind::CannotOpen, input.refusal}};
  platform::OpenedFile copy = input;
  copy.fd = ::fcntl(input.fd, F_DUPFD_CLOEXEC, 3);
  if (copy.fd < 0) return {{}, {}, {engine::ArchiveRefusal::Kind::CannotOpen, platform::SystemReason(errno)}};
  return engine::OpenArchive(std::make_shared<platform::FileSource>(copy));
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

ToolArchive::ToolArchive(const QString& path, const engine::OpenedArchive& opened, Reading reading,
                         int standardInput)
    : path_(path), source_(opened.Source), info_(opened.Info), standardInput_(standardInput) {
  if (reading == Reading::WholeFirst) return;
  for (engine::DirectoryWalk walk(*source_, info_); !walk.AtEnd();) walk.Skip();
}

ToolArchive::~ToolArchive() {
  if (standardInput_ >= 0) ::close(standardInput_);
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

int WithArchive(const QString& path, const std::function<int(const ToolArchive&)>& command, bool json,
                Reading reading) {
  const bool fromInput = path == "-";
  const QString shown = fromInput ? QStringLiteral("standard input") : path;
  engine::ArchiveRefusal refusal;
  try {
    platform::OpenedFile input;
    const engine::OpenedArchive opened = fromInput ? openStandardInput(input) : engine::OpenArchiveFile(path);
    if (opened) {
      const ToolArchive archive(shown, opened, reading, std::exchange(input.fd, -1));
      return command(archive);
    }
    if (input.fd >= 0) ::close(input.fd);
    refusal = opened.Refusal;
  } catch (const engine::ArchiveRefused& refused) {
    refusal = refused.refusal();
  } catch (const std::bad_alloc&) {
    // What a command holds beyond one record grows with the directory.
    refusal.kind = engine::ArchiveRefusal::Kind::NoMemory;
  }
  Complain(shown + ": " + refusalText(refusal));
  if (json) Output(JsonError(shown + ": " + refusalText(refusal)));
  return Refused;
}

}  // namespace tools
