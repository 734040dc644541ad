#include "tools/PatternTally.h"

#include "tools/ToolCommand.h"

namespace tools {

PatternTally::PatternTally(const QStringList& patterns) : texts_(patterns), matched_(patterns.size()) {
  patterns_.reserve(patterns.size());
  for (const QString& pattern : patterns) patterns_.emplace_back(QStringList{pattern});
}

bool PatternTally::Matches(QByteArrayView name) {
  bool any = patterns_.empty();
  for (std::size_t i = 0; i < patterns_.size(); ++i) {
    // Once a pattern has matched and the name is taken, it need not be tried.
    if (any && matched_[i]) continue;
    if (!patterns_[i].Matches(name)) continue;
    matched_[i] = true;
    any = true;
  }
  return any;
}

bool PatternTally::TellUnmatched() const {
  bool all = true;
  for (std::size_t i = 0; i < patterns_.size(); ++i) {
    if (matched_[i]) continue;
    Complain(texts_[i] + ": no entry matches");
    all = false;
  }
  return all;
}

}  // namespace tools
