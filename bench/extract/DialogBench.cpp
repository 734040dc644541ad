// Extract all through the real code path, offscreen: the archive opened by the
// frame, "Extract entire DAT..." triggered, Dir1 set and "Extract" clicked,
// with message boxes answered by the program itself; beside the machine's
// limit, a bare zlib loop over the same entries in the same round.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <cstdio>
#include <stdexcept>

#include "BareExtract.h"
#include "BenchArchive.h"
#include "BenchRun.h"
#include "common/platform/DialogService.h"
#include "common/widgets/DirListBox.h"
#include "tallyhold/windows/Main.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/frmExtractAll.h"

using namespace extractbench;

namespace {

// Answers the open-file dialog with the archive and keeps the last message.
class AnsweringDialogs : public platform::DialogService {
 public:
  explicit AnsweringDialogs(QString archive) : archive_(std::move(archive)) { platform::SetDialogs(this); }
  ~AnsweringDialogs() override { platform::SetDialogs(nullptr); }
  platform::MsgAnswer message(const QString& text, const QString&, platform::MsgIcon,
                              platform::MsgButtons) override {
    lastMessage = text;
    return platform::MsgAnswer::Ok;
  }
  QString input(const QString&, const QString&, const QString&) override { return {}; }
  QString openFile(const QString&, const QList<platform::FileFilter>&, const QString&) override {
    return archive_;
  }
  QString lastMessage;

 private:
  QString archive_;
};

tallyhold::frmExtractAll* shownDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<tallyhold::frmExtractAll*>(widget); dialog && dialog->isVisible())
      return dialog;
  throw std::runtime_error("the Extract All dialog did not open");
}

// From the click on "Extract" to the completion message.
double dialogExtract(tallyhold::Main_Container& frame, AnsweringDialogs& dialogs, const QString& folder) {
  frame.findChild<QAction*>(QStringLiteral("extractall"))->trigger();
  tallyhold::frmExtractAll* dialog = shownDialog();
  if (!dialog->findChild<widgets::DirListBox*>(QStringLiteral("Dir1"))->SetPath(folder))
    throw std::runtime_error("cannot enter the destination");
  auto* extract = dialog->findChild<QPushButton*>(QStringLiteral("Command1"));
  const Clock::time_point start = Clock::now();
  extract->click();
  const double seconds = Since(start);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  if (!dialogs.lastMessage.contains(QLatin1String("was created succesfully!")) ||
      dialogs.lastMessage.contains(QLatin1String("skipped")))
    throw std::runtime_error(("the run ended with: " + dialogs.lastMessage).toStdString());
  return seconds;
}

void run(const Workspace& workspace, int rounds) {
  const QString path = workspace.file("archive.dat");
  std::printf("generated %.1f MB\n", WriteArchive(path, ArchiveShape{}) / 1e6);
  const LoadedArchive archive = LoadArchive(path);

  AnsweringDialogs dialogs(path);
  const auto frame = tallyhold::Main();
  frame->findChild<QAction*>(QStringLiteral("mnuOpenDAT"))->trigger();
  QCoreApplication::processEvents();

  std::vector<double> bare, dialog, ratio;
  for (int round = 1; round <= rounds; ++round) {
    const QString bareRoot = workspace.file(QStringLiteral("round%1-bare").arg(round));
    const QString dialogFolder = workspace.file(QStringLiteral("round%1-dialog").arg(round));
    QDir().mkpath(dialogFolder);
    bare.push_back(BareExtract(archive, path, bareRoot).totalSeconds);
    dialog.push_back(dialogExtract(*frame, dialogs, dialogFolder));
    ratio.push_back(dialog.back() / bare.back());
    std::printf("round %d: bare loop %.3f s, Extract all through the dialog %.3f s (%.2f x)\n", round, bare.back(),
                dialog.back(), ratio.back());
    if (round == 1) CompareOutputs(archive, bareRoot, dialogFolder + "/archive.dat");
    QDir(bareRoot).removeRecursively();
    QDir(dialogFolder).removeRecursively();
  }
  std::printf("\n| figure | median |\n|---|---|\n| bare zlib loop (machine's limit) | %.3f s |\n"
              "| Extract all through the dialog | %.3f s |\n| dialog / bare loop of the same round | %.2f |\n",
              Median(bare), Median(dialog), Median(ratio));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  try {
    const Workspace workspace(args.size() > 2 ? args[2] : QDir::tempPath());
    std::printf("workspace on %s\n", workspace.mounted() ? "a tmpfs mounted for the benchmark" : "a fresh folder");
    run(workspace, args.size() > 1 ? args[1].toInt() : 5);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "extract_dialog_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
