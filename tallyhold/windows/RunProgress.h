#pragma once
// The progress window of one extraction run, watching the run. Painting
// labStatus or the bar is a synchronous repaint and serving events costs more
// than copying a small entry, so what changes per entry reaches the screen at
// most every 30 ms and events are served as the yield pacer allows. Within one
// large entry only status and bar are repainted.
#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>

#include "common/platform/DoEvents.h"
#include "engine/extract/ExtractionRun.h"

namespace tallyhold {

class ProgressForm;
class StopToken;

class RunProgress : public engine::RunObserver {
 public:
  // Shows ProgressForm with the caption, the run's message and
  // "Initializing...", painted before any work starts, and the busy pointer.
  // Its Cancel raises stop.
  RunProgress(const QString& caption, StopToken& stop);
  ~RunProgress() override;
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;

  // A step of the run, shown at once: labStatus and the whole window repainted.
  void ShowStep(const QString& status);
  void SetBar(float max, float value);
  // What labStatus says before an entry's name; "Extracting " by default.
  void SetEntryPrefix(const QString& prefix) { entryPrefix_ = prefix; }
  // Which finished entries move the bar by one; by default every entry.
  void SetBarStep(std::function<bool(const engine::ClsTreeDir&)> step) { barStep_ = std::move(step); }
  // Whatever is not on the screen yet goes there now.
  void Flush();
  // The window goes away and the pointer becomes the arrow.
  void Unload();

  void EntryStarting(const engine::ClsTreeDir& entry) override;
  void EntryStatus(const QString& text) override;
  void Working() override;
  void EntryDone(const engine::ClsTreeDir& entry, const engine::ExtractResult& result) override;
  // The stop texts with the hourglass pointer.
  void Stopping() override;

 private:
  void paintWhenDue();
  void paint();

  std::unique_ptr<ProgressForm> form_;
  std::function<bool(const engine::ClsTreeDir&)> barStep_;
  QString status_;
  QString entryPrefix_ = QStringLiteral("Extracting ");
  float bar_ = 0;
  bool dirty_ = false;
  QElapsedTimer sincePaint_;
  platform::YieldPacer yields_;
};

}  // namespace tallyhold
