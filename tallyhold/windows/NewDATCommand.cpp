// Tools > New DAT from folder...: the folder packed into a new archive as
// skarrow2-dat create packs it, with the progress window and its Cancel, and
// the archive opened as Open DAT opens one. An archive open in a window of
// the program is never replaced under it.
#include <QFileInfo>
#include <QPointer>

#include "common/platform/DialogService.h"
#include "common/platform/FileNumbers.h"
#include "common/platform/PathBytes.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "engine/pack/ArchivePacker.h"
#include "engine/pack/InputTree.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/ArchiveWriting.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/ExtractSource.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/frmNewDAT.h"

namespace tallyhold {
namespace {

void refuse(const QString& text) {
  platform::Dialogs().message(text, AppTitle(), platform::MsgIcon::Critical, platform::MsgButtons::Ok);
}

bool packFolder(const QString& input, const QString& archive,
                const std::shared_ptr<platform::FolderHandle>& folder, const std::string& name) {
  platform::FolderHandle root;
  if (const int error = platform::FolderHandle::Open(input, root)) {
    refuse(QStringLiteral("%1 cannot be read: %2.").arg(input, platform::SystemReason(error)));
    return false;
  }
  engine::InputTree tree;
  // Walked before the hidden file is made, which is thus never packed.
  engine::WalkInput(root, input, {folder->Id(), name}, tree);
  const QStringList problems = tree.refused + tree.leftOut;
  if (!problems.isEmpty()) {
    refuse(QStringLiteral("%1 was not written:\r%2").arg(archive, problems.join('\r')));
    return false;
  }
  engine::PackOptions options;
  options.workers = ExtractionWorkers();
  return WriteArchive(archive, folder, name, tree.bytes,
                      [&](engine::DatArchiveWriter& writer, const std::function<void(qint64)>& packed,
                          const std::function<bool()>& stop) {
                        return engine::PackFiles(tree, {&root}, options, writer, packed, stop);
                      });
}

// Whether a window shows the file; nothing standing there is in none.
bool openInAWindow(const ProgramState& state, const platform::FolderHandle::Identity& identity) {
  if (identity == platform::FolderHandle::Identity{}) return false;
  for (const QPointer<DAT_Container>& window : state.DATWindows) {
    const auto source = window ? platform::SourceOf(window->ArchiveNumber()) : nullptr;
    if (source && source->FileIdentity() == identity) return true;
  }
  return false;
}

}  // namespace

void Main_Container::NewDATFromFolder() {
  frmNewDAT dialog(this);
  if (dialog.exec() != QDialog::Accepted || dialog.Target().isEmpty()) return;
  const QString archive = dialog.Target();
  auto folder = std::make_shared<platform::FolderHandle>();
  if (const int error = platform::FolderHandle::Open(QFileInfo(archive).path(), *folder)) {
    refuse(QStringLiteral("%1 cannot be written in its folder: %2.").arg(archive, platform::SystemReason(error)));
    return;
  }
  const std::string name = platform::PathBytes(QFileInfo(archive).fileName()).toStdString();
  if (const int error = platform::SafeFile::CheckName(*folder, name)) {
    refuse(QStringLiteral("%1 cannot be written: %2.").arg(archive, platform::SystemReason(error)));
    return;
  }
  if (openInAWindow(state_, folder->IdOf(name))) {
    refuse(QStringLiteral("%1 is open in a window; close it first.").arg(archive));
    return;
  }
  setEnabled(false);
  const bool written = packFolder(dialog.Folder(), archive, folder, name);
  setEnabled(true);
  if (written) ReadSkarrow2DAT(archive);
}

}  // namespace tallyhold
