#include "tallyhold/extract/ExtractReport.h"

#include "common/platform/DialogService.h"

namespace tallyhold {
namespace {

constexpr int NamesShown = 5;

}  // namespace

void SkippedEntries::Add(const QByteArray& filename) {
  if (firstNames_.size() < NamesShown) firstNames_.append(filename);
  ++count_;
}

QString SkippedEntries::CompletionAddition() const {
  if (count_ == 0) return {};
  QStringList names;
  // A control character, NUL above all, would cut or garble the message.
  for (const QByteArray& name : firstNames_) {
    QString shown = QString::fromLatin1(name);
    for (QChar& c : shown)
      if (c.unicode() < 0x20) c = '?';
    names << shown;
  }
  if (count_ > NamesShown) names << QStringLiteral("...");
  const QString head = count_ == 1
                           ? QStringLiteral("1 entry was skipped because its data are damaged or its name is unsafe: ")
                           : QStringLiteral("%1 entries were skipped because their data are damaged or their "
                                            "names are unsafe: ")
                                 .arg(count_);
  return "\r\r" + head + names.join(", ");
}

QString WriteFailureText(const ExtractResult& failure) {
  return "Could not write " + failure.file + "\r\r" + failure.reason + "\r\rThe extraction has been stopped.";
}

void ReportWriteFailure(const ExtractResult& failure) {
  platform::Dialogs().message(WriteFailureText(failure), WriteFailureTitle, platform::MsgIcon::Exclamation,
                              platform::MsgButtons::Ok);
}

}  // namespace tallyhold
