#pragma once
// The patterns that pick entries: globs over the archive's names without
// letter case, "\" or "/" between folders, "*" also across folders. A pattern
// that matches a folder picks everything in it. No pattern picks everything.
#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QStringList>

namespace tools {

class NamePatterns {
 public:
  explicit NamePatterns(const QStringList& globs);

  bool Matches(const QByteArray& name) const;
  bool IsEmpty() const { return patterns_.isEmpty(); }

 private:
  QList<QRegularExpression> patterns_;
};

}  // namespace tools
