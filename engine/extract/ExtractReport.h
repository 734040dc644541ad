#pragma once
// What a run tells the user beyond its completion message: the entries it
// skipped, each with its reason, and the write failure that stopped it.
#include <QByteArray>
#include <QList>
#include <QString>

#include "engine/extract/ExtractEntry.h"

namespace engine {

class SkippedEntries {
 public:
  void Add(const QByteArray& filename, const QString& reason);
  int Count() const { return count_; }
  // Appended to the completion message: empty when nothing was skipped,
  // otherwise two line breaks, the count and the first few names with the
  // reason of each.
  QString CompletionAddition() const;

 private:
  struct Skip {
    QByteArray filename;
    QString reason;
  };
  int count_ = 0;
  QList<Skip> first_;
};

// An entry name fit for a message or a terminal: its control characters
// escaped (platform::ShownText), so that none cuts, garbles or drives them.
QString ShownName(const QByteArray& filename);

// The text of a write failure's box: it names the file and gives the system's reason.
QString WriteFailureText(const ExtractResult& failure);
inline constexpr char WriteFailureTitle[] = "Extraction stopped";

}  // namespace engine
