#pragma once
// The progress window of one extraction run. Painting labStatus or the bar is a
// synchronous repaint and serving events costs more than copying a small entry,
// so what changes per entry reaches the screen at most every 30 ms and events
// are served at most every 10 ms. The runs still test StopRequested before
// every entry: no entry is started after the yield that saw Cancel.
#include <QElapsedTimer>
#include <QString>
#include <memory>

#include "tallyhold/extract/ExtractEntry.h"

namespace tallyhold {

class ProgressForm;

class RunProgress {
 public:
  // Shows ProgressForm with the caption, the run's message and "Initializing...",
  // and the busy pointer.
  explicit RunProgress(const QString& caption);
  ~RunProgress();
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;

  // A step of the run, shown at once: labStatus and the whole window repainted.
  void ShowStep(const QString& status);
  void SetBar(float max, float value);

  // Per entry: the status text and a step of the bar, shown when due.
  void EntryStatus(const QString& text);
  void AddToBar();
  // Lets pending events run (a Cancel click among them) when due.
  void AfterEntry();
  // Whatever is not on the screen yet goes there now.
  void Flush();

  // The engine's texts for an entry copied in pieces, shown at once.
  StatusSink Sink();

  // The stop texts with the hourglass pointer.
  void ShowStopping();
  // The window goes away and the pointer becomes the arrow.
  void Unload();

 private:
  void paintWhenDue();
  void paint();

  std::unique_ptr<ProgressForm> form_;
  QString status_;
  float bar_ = 0;
  bool dirty_ = false;
  QElapsedTimer sincePaint_;
  QElapsedTimer sinceYield_;
};

}  // namespace tallyhold
