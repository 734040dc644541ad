#pragma once
// The patterns of a command, each kept apart so that one that picks no entry
// can be named: tar and unzip users expect "PATTERN: no entry matches" and
// status 1 even when the other patterns picked something.
#include <QByteArrayView>
#include <QStringList>
#include <vector>

#include "engine/archive/NamePatterns.h"

namespace tools {

class PatternTally {
 public:
  explicit PatternTally(const QStringList& patterns);

  // Whether any pattern matches the name (every name with no pattern).
  bool Matches(QByteArrayView name);
  // Names each pattern that has matched nothing on standard error; false
  // when there was one.
  bool TellUnmatched() const;

 private:
  QStringList texts_;
  std::vector<engine::NamePatterns> patterns_;
  std::vector<bool> matched_;
};

}  // namespace tools
