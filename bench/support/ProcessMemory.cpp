#include "bench/support/ProcessMemory.h"

#include <QFile>
#include <QRegularExpression>

namespace benchsupport {
namespace {

qint64 statusField(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  const QRegularExpression line(QStringLiteral("^%1:\\s+(\\d+) kB").arg(QLatin1String(field)),
                                QRegularExpression::MultilineOption);
  const QRegularExpressionMatch match = line.match(QString::fromLatin1(status.readAll()));
  return match.hasMatch() ? match.captured(1).toLongLong() * 1024 : -1;
}

}  // namespace

qint64 ResidentBytes() { return statusField("VmRSS"); }
qint64 PeakBytes() { return statusField("VmHWM"); }

void ResetPeak() {
  QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
  if (clearRefs.open(QIODevice::WriteOnly)) clearRefs.write("5");
}

}  // namespace benchsupport
