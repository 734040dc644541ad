#pragma once
// What a run tells the user beyond its completion message: the entries it
// skipped for bad data, and the write failure that stopped it.
#include <QByteArray>
#include <QList>
#include <QString>

#include "tallyhold/extract/ExtractEntry.h"

namespace tallyhold {

class SkippedEntries {
 public:
  void Add(const QByteArray& filename);
  int Count() const { return count_; }
  // Appended to the completion message: empty when nothing was skipped,
  // otherwise two line breaks, the count and the first few names.
  QString CompletionAddition() const;

 private:
  int count_ = 0;
  QList<QByteArray> firstNames_;
};

// The box of a write failure: it names the file and gives the system's reason.
QString WriteFailureText(const ExtractResult& failure);
inline constexpr char WriteFailureTitle[] = "Extraction stopped";
void ReportWriteFailure(const ExtractResult& failure);

}  // namespace tallyhold
