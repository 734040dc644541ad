// Tools > Test DAT: every entry of the active archive checked with the
// engine's integrity test, as skarrow2-dat test checks it, with the progress
// window and its Cancel. Nothing is written; the result is one box.
#include <QStringList>

#include "common/platform/DialogService.h"
#include "common/platform/FileNumbers.h"
#include "engine/extract/ExtractReport.h"
#include "engine/extract/ExtractionPlan.h"
#include "engine/extract/IntegrityTest.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/ExtractSource.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/RunProgress.h"
#include "tallyhold/windows/StopToken.h"

namespace tallyhold {
namespace {

constexpr std::size_t DamagedShown = 20;

QString entries(qsizetype count) {
  return count == 1 ? QStringLiteral("1 entry") : QString::number(count) + QStringLiteral(" entries");
}

QString resultText(const engine::IntegrityReport& report) {
  QStringList lines;
  if (report.stopped)
    lines << "The test was stopped after " + entries(report.Checked()) + " of " + QString::number(report.entries) +
                 ": " + QString::number(report.intact) + " intact.";
  else if (report.damaged.empty())
    lines << (report.entries == 1 ? QStringLiteral("The entry is intact.")
                                  : "All " + entries(report.entries) + " are intact.");
  else
    lines << QString::number(report.intact) + " of " + entries(report.entries) + " are intact.";
  if (report.damaged.empty()) return lines.join('\r');
  const auto damaged = static_cast<qsizetype>(report.damaged.size());
  lines << QString() << entries(damaged) + (damaged == 1 ? " is damaged:" : " are damaged:");
  for (std::size_t i = 0; i < report.damaged.size() && i < DamagedShown; ++i)
    lines << engine::ShownName(report.damaged[i].name) + ": " + report.damaged[i].text;
  if (report.damaged.size() > DamagedShown) lines << "and " + QString::number(damaged - DamagedShown) + " more";
  return lines.join('\r');
}

}  // namespace

// The frame takes no input meanwhile, so the archive stays open and loaded.
void Main_Container::TestDAT() {
  const std::shared_ptr<engine::ClsDatFile> archive = state_.DATFiles.Find(state_.ActiveDAT.Index);
  if (!archive) {
    platform::Dialogs().message(QStringLiteral("There is no DAT file open to test."), AppTitle(),
                                platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
    return;
  }
  setEnabled(false);
  StopToken stop;
  const engine::ExtractionPlan plan = engine::PlanAll(archive->ColTrees());
  engine::IntegrityReport report;
  {
    RunProgress progress("Testing " + state_.ActiveDAT.Caption + "...", stop);
    progress.SetBar(static_cast<float>(plan.entries.size() + 1), 1);
    progress.SetEntryPrefix(QStringLiteral("Testing "));
    progress.ShowStep(QStringLiteral("Testing..."));
    report = engine::TestIntegrity(
        platform::SourceOf(archive->Index), plan.entries, progress, [&stop] { return stop.Requested(); },
        ExtractionWorkers());
  }
  setEnabled(true);
  const bool intact = report.damaged.empty() && !report.stopped;
  platform::Dialogs().message(resultText(report), QStringLiteral("Test DAT"),
                              intact ? platform::MsgIcon::Information : platform::MsgIcon::Exclamation,
                              platform::MsgButtons::Ok);
}

}  // namespace tallyhold
