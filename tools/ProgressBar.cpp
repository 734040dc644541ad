#include "tools/ProgressBar.h"

#include <unistd.h>

#include <QString>
#include <algorithm>
#include <cstdio>

namespace tools {
namespace {

constexpr int DrawEveryMs = 100;
constexpr int BarWidth = 30;

QString megabytes(qint64 bytes) { return QString::number(bytes / 1e6, 'f', 1) + " MB"; }

QString minutesAndSeconds(qint64 seconds) {
  return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
}

}  // namespace

ProgressBar::ProgressBar(qint64 total, bool quiet) : shown_(!quiet && ::isatty(STDERR_FILENO)), total_(total) {
  started_.start();
}

ProgressBar::~ProgressBar() { Clear(); }

void ProgressBar::Add(qint64 bytes) {
  done_ += bytes;
  if (shown_ && (!sinceDraw_.isValid() || sinceDraw_.hasExpired(DrawEveryMs))) draw();
}

void ProgressBar::Clear() {
  if (!onScreen_) return;
  std::fputs("\r\033[K", stderr);
  onScreen_ = false;
}

void ProgressBar::draw() {
  const double share = total_ > 0 ? std::clamp(static_cast<double>(done_) / total_, 0.0, 1.0) : 1.0;
  const int filled = static_cast<int>(share * BarWidth);
  const double seconds = std::max(0.001, started_.elapsed() / 1000.0);
  const double rate = done_ / seconds;
  const QString left = rate > 0 ? minutesAndSeconds(static_cast<qint64>((total_ - done_) / rate))
                                : QStringLiteral("-");
  const QString line = QStringLiteral("\r[%1%2] %3% %4 of %5, %6/s, %7 left\033[K")
                           .arg(QString(filled, '#'), QString(BarWidth - filled, ' '))
                           .arg(static_cast<int>(share * 100), 3)
                           .arg(megabytes(done_), megabytes(total_), megabytes(static_cast<qint64>(rate)), left);
  std::fputs(line.toLocal8Bit().constData(), stderr);
  std::fflush(stderr);
  onScreen_ = true;
  sinceDraw_.start();
}

}  // namespace tools
