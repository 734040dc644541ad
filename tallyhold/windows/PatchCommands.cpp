// Tools > Delete: the active archive written anew without the chosen
// entries, then read again in its window, which keeps its folder. An archive
// open in another window of the program too is never changed under that
// window.
#include <QPointer>
#include <QSet>
#include <utility>

#include "common/platform/DialogService.h"
#include "common/platform/FileNumbers.h"
#include "engine/archive/ArchiveOpening.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/ArchiveRewrite.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/Main_Container.h"

namespace tallyhold {
namespace {

void tell(const QString& text, platform::MsgIcon icon = platform::MsgIcon::Exclamation) {
  platform::Dialogs().message(text, AppTitle(), icon, platform::MsgButtons::Ok);
}

QString entries(qsizetype count) {
  return count == 1 ? QStringLiteral("1 entry") : QString::number(count) + QStringLiteral(" entries");
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

bool Main_Container::rewrite(
    DAT_Container& window,
    const std::function<engine::PatchPlan(const std::vector<engine::OldEntry>&, qint64)>& plan,
    const RewriteInput& input) {
  const QString path = window.windowTitle();
  const auto source = platform::SourceOf(window.ArchiveNumber());
  std::vector<engine::OldEntry> old;
  try {
    old = OldEntriesOf(source);
  } catch (const engine::ArchiveRefused& refused) {
    tell(QStringLiteral("%1 was not changed: %2.").arg(path, refused.refusal().detail),
         platform::MsgIcon::Critical);
    return false;
  }
  setEnabled(false);
  const bool written = RewriteArchive(path, *source, old, plan(old, source->Length()), input);
  setEnabled(true);
  if (written) rereadArchive(window);
  return written;
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
              deleted[i] = marked.contains({old[i].name, old[i].offset});
            return engine::PlanDelete(old, length, deleted);
          },
          {});
}

// Read as Open DAT reads an archive, into the same window.
void Main_Container::rereadArchive(DAT_Container& window) {
  const QByteArray folder = window.SelectedFolderKey();
  const QString path = window.windowTitle();
  releaseArchive(window);
  window.ClearPanes();
  window.AddNode({QStringLiteral("root"), QStringLiteral("\\"), {}});
  const QPointer<DAT_Container> kept(&window);
  if (loadArchive(path, &window)) {
    window.ShowFolder(folder);
    return;
  }
  if (kept && kept->isVisible()) kept->close();
}

}  // namespace tallyhold
