#include "engine/extract/ExtractReport.h"

#include <QStringList>

#include "common/platform/ShownText.h"

namespace engine {
namespace {

constexpr int NamesShown = 5;

}  // namespace

void SkippedEntries::Add(const QByteArray& filename, const QString& reason) {
  if (first_.size() < NamesShown) first_.append({filename, reason});
  ++count_;
}

QString SkippedEntries::CompletionAddition() const {
  if (count_ == 0) return {};
  QStringList lines{count_ == 1 ? QStringLiteral("1 entry was skipped:")
                                : QString::number(count_) + QStringLiteral(" entries were skipped:")};
  for (const Skip& skip : first_) lines << ShownName(skip.filename) + ": " + skip.reason;
  if (count_ > NamesShown) lines << "and " + QString::number(count_ - NamesShown) + " more";
  return "\r\r" + lines.join('\r');
}

QString ShownName(const QByteArray& filename) { return platform::ShownText(QString::fromLatin1(filename)); }

QString WriteFailureText(const ExtractResult& failure) {
  return "Could not write " + failure.file + "\r\r" + failure.reason + "\r\rThe extraction has been stopped.";
}

}  // namespace engine
