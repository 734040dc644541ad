#pragma once
// A progress bar on standard error with bytes, rate and time left, drawn only
// when standard error is a terminal, at most ten times a second.
#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

namespace tools {

// The bar's line for done of total bytes after elapsedMs: the rate and the
// time left only once they mean something, after a second or 1 % of the work.
QString ProgressLine(qint64 done, qint64 total, qint64 elapsedMs);

class ProgressBar {
 public:
  // total: the bytes the work will take; quiet: never drawn.
  ProgressBar(qint64 total, bool quiet);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Add(qint64 bytes);
  // Takes the bar off the line, so that a message can be written there.
  void Clear();

 private:
  void draw();

  bool shown_;
  qint64 total_;
  qint64 done_ = 0;
  bool onScreen_ = false;
  QElapsedTimer started_;
  QElapsedTimer sinceDraw_;
};

}  // namespace tools
