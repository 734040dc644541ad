#include "tools/NamePatterns.h"

namespace tools {
namespace {

QString withSlashes(QString name) { return name.replace('\\', '/'); }

// "*" any run of characters, "?" one, "[...]" one of a set ("[!...]" none of
// it); everything else stands for itself.
QString regexOf(const QString& glob) {
  QString regex;
  for (qsizetype i = 0; i < glob.size(); ++i) {
    const QChar c = glob[i];
    const qsizetype close = c == '[' ? glob.indexOf(']', i + 2) : -1;
    if (c == '*') {
      regex += QStringLiteral(".*");
    } else if (c == '?') {
      regex += '.';
    } else if (close > 0) {
      QString set = glob.mid(i + 1, close - i - 1);
      if (set.startsWith('!')) set[0] = '^';
      regex += '[' + set + ']';
      i = close;
    } else {
      regex += QRegularExpression::escape(QString(c));
    }
  }
  return QRegularExpression::anchoredPattern(regex);
}

}  // namespace

NamePatterns::NamePatterns(const QStringList& globs) {
  for (const QString& glob : globs)
    patterns_ << QRegularExpression(regexOf(withSlashes(glob)), QRegularExpression::CaseInsensitiveOption);
}

bool NamePatterns::Matches(const QByteArray& name) const {
  if (patterns_.isEmpty()) return true;
  const QString path = withSlashes(QString::fromLatin1(name));
  // The whole name, then each folder above it.
  for (qsizetype end = path.size(); end > 0; end = path.lastIndexOf('/', end - 1)) {
    const QString part = path.left(end);
    for (const QRegularExpression& pattern : patterns_)
      if (pattern.match(part).hasMatch()) return true;
  }
  return false;
}

}  // namespace tools
