// Tools > Delete and Add files...: the active archive written anew without
// the chosen entries or with the chosen files, then read again in its window,
// which keeps its folder. An archive open in another window of the program
// too is never changed under that window.
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QSet>
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "common/platform/DialogService.h"
#include "common/platform/FileNumbers.h"
#include "common/platform/PathBytes.h"
#include "common/platform/SystemReason.h"
#include "engine/archive/ArchiveOpening.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/ArchiveRewrite.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/frmFind.h"

namespace tallyhold {
namespace {

void tell(const QString& text, platform::MsgIcon icon = platform::MsgIcon::Exclamation) {
  platform::Dialogs().message(text, AppTitle(), icon, platform::MsgButtons::Ok);
}

QString entries(qsizetype count) {
  return count == 1 ? QStringLiteral("1 entry") : QString::number(count) + QStringLiteral(" entries");
}

// The archive folder the user typed ("\" or "" the top, "/" or "\" between
// folders) as a prefix of entry names, "A\B\"; nothing when Latin-1 cannot
// hold it.
std::optional<QByteArray> prefixOf(const QString& folder) {
  const QString joined = QString(folder).replace('/', '\\').split('\\', Qt::SkipEmptyParts).join('\\');
  if (std::any_of(joined.begin(), joined.end(), [](QChar c) { return c.unicode() > 0xFF; })) return std::nullopt;
  return joined.isEmpty() ? QByteArray() : joined.toLatin1() + '\\';
}

// The chosen files walked each from its own folder, so that each keeps its name.
struct WalkedFiles {
  RewriteInput input;
  std::vector<std::unique_ptr<platform::FolderHandle>> folders;  // what input.roots point to
};

bool walkFiles(const QStringList& files, const QByteArray& prefix, const QString& archive, WalkedFiles& walked) {
  platform::FolderHandle archiveFolder;
  if (const int error = platform::FolderHandle::Open(QFileInfo(archive).path(), archiveFolder)) {
    tell(QStringLiteral("%1 was not changed: its folder cannot be read: %2.")
             .arg(archive, platform::SystemReason(error)),
         platform::MsgIcon::Critical);
    return false;
  }
  const std::string archiveName = platform::PathBytes(QFileInfo(archive).fileName()).toStdString();
  for (const QString& file : files) {
    const QFileInfo cleaned(QDir::cleanPath(file));
    auto parent = std::make_unique<platform::FolderHandle>();
    if (const int error = platform::FolderHandle::Open(cleaned.path(), *parent)) {
      tell(QStringLiteral("%1 cannot be read: %2.").arg(file, platform::SystemReason(error)),
           platform::MsgIcon::Critical);
      return false;
    }
    const engine::WalkScope scope{prefix, platform::PathBytes(cleaned.fileName()).toStdString(),
                                  static_cast<int>(walked.folders.size())};
    engine::WalkInput(*parent, cleaned.path(), {archiveFolder.Id(), archiveName}, walked.input.tree, scope);
    walked.input.roots.push_back(parent.get());
    walked.folders.push_back(std::move(parent));
  }
  const QStringList problems = walked.input.tree.refused + walked.input.tree.leftOut;
  if (problems.isEmpty()) return true;
  tell(QStringLiteral("%1 was not changed:\r%2").arg(archive, problems.join('\r')), platform::MsgIcon::Critical);
  return false;
}

}  // namespace

DAT_Container* Main_Container::archiveToChange(const QString& command) {
  DAT_Container* window = state_.WindowInSlot(state_.ActiveDAT.WindowIndex);
  const auto source = window ? platform::SourceOf(window->ArchiveNumber()) : nullptr;
  if (!source) {
    tell(QStringLiteral("There is no DAT file open to %1.").arg(command));
    return nullptr;
  }
  const platform::FolderHandle::Identity identity = source->FileIdentity();
  for (const QPointer<DAT_Container>& other : state_.DATWindows) {
    if (!other || other == window) continue;
    const auto otherSource = platform::SourceOf(other->ArchiveNumber());
    if (otherSource && otherSource->FileIdentity() == identity) {
      tell(
          QStringLiteral("%1 is open in another window too; close that window first.").arg(window->windowTitle()));
      return nullptr;
    }
  }
  return window;
}

void Main_Container::rewrite(
    DAT_Container& window,
    const std::function<engine::PatchPlan(const std::vector<engine::OldEntry>&, qint64)>& plan,
    const RewriteInput& input) {
  const QString path = window.windowTitle();
  const auto source = platform::SourceOf(window.ArchiveNumber());
  std::optional<engine::OldDirectory> old;
  try {
    old.emplace(OldDirectoryOf(source));
  } catch (const engine::ArchiveRefused& refused) {
    tell(QStringLiteral("%1 was not changed: %2.").arg(path, refused.refusal().detail),
         platform::MsgIcon::Critical);
    return;
  }
  setEnabled(false);
  const bool written = RewriteArchive(path, *source, old->Entries(), plan(old->Entries(), source->Length()),
                                      input);
  setEnabled(true);
  if (written) rereadArchive(window);
}

void Main_Container::DeleteSelected() {
  DAT_Container* window = archiveToChange(QStringLiteral("delete from"));
  if (!window) return;
  const auto chosen = window->SelectedEntries();
  if (chosen.empty()) {
    tell(QStringLiteral("Select the entries to delete in the list first."));
    return;
  }
  if (platform::Dialogs().message(QStringLiteral("Delete %1 from %2?")
                                      .arg(entries(static_cast<qsizetype>(chosen.size())), window->windowTitle()),
                                  QStringLiteral("Delete"), platform::MsgIcon::Question,
                                  platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
    return;
  // An entry is known by its record's name and body: two records may share a name.
  QSet<std::pair<QByteArray, qint64>> marked;
  for (const auto& entry : chosen) marked.insert({entry->Filename, entry->Offset});
  rewrite(*window,
          [&marked](const std::vector<engine::OldEntry>& old, qint64 length) {
            std::vector<bool> deleted(old.size());
            for (std::size_t i = 0; i < old.size(); ++i)
              deleted[i] = marked.contains({old[i].name.toByteArray(), old[i].offset});
            return engine::PlanDelete(old, length, deleted);
          },
          {});
}

void Main_Container::AddFiles() {
  DAT_Container* window = archiveToChange(QStringLiteral("add files to"));
  if (!window) return;
  const QStringList files = platform::Dialogs().openFiles(
      QStringLiteral("Add files"), {{QStringLiteral("Everything (*.*)"), QStringLiteral("*.*")}},
      QDir::currentPath());
  if (files.isEmpty()) return;
  const QByteArray current = window->SelectedFolderKey();
  const QString folder = platform::Dialogs().input(QStringLiteral("The folder of the archive to put them in:"),
                                                   QStringLiteral("Add files"),
                                                   current.isEmpty() ? QStringLiteral("\\")
                                                                     : QString::fromLatin1(current));
  if (folder.isEmpty()) return;
  const std::optional<QByteArray> prefix = prefixOf(folder);
  if (!prefix) {
    tell(QStringLiteral("%1: an archive's names hold Latin-1 letters only.").arg(folder));
    return;
  }
  WalkedFiles walked;
  if (!walkFiles(files, *prefix, window->windowTitle(), walked)) return;
  engine::InputTree& tree = walked.input.tree;
  rewrite(
      *window,
      [&tree](const std::vector<engine::OldEntry>& old, qint64 length) {
        return engine::PlanAdd(old, length, tree);
      },
      walked.input);
}

// Read as Open DAT reads an archive, into the same window. A Find window on
// it searches the new reading; should the reading fail, it closes with the
// archive window.
void Main_Container::rereadArchive(DAT_Container& window) {
  const QByteArray folder = window.SelectedFolderKey();
  const QString path = window.windowTitle();
  const bool searched = find_ && find_->ArchiveNumber() == window.ArchiveNumber();
  releaseArchive(window);
  window.ClearPanes();
  window.AddNode({QStringLiteral("root"), QStringLiteral("\\"), {}});
  const QPointer<DAT_Container> kept(&window);
  if (loadArchive(path, &window)) {
    window.ShowFolder(folder);
    if (searched && find_) find_->ArchiveReadAgain(state_.DATFiles.Find(window.ArchiveNumber()));
    return;
  }
  if (kept && kept->isVisible()) kept->close();
}

}  // namespace tallyhold
