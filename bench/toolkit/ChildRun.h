#pragma once
// One command run as a child process, timed, with its peak memory.
#include <QString>
#include <QStringList>

namespace toolkitbench {

struct ChildResult {
  double seconds = 0;
  double peakMiB = 0;  // the child's highest resident size
  int status = -1;
};

// Runs program with arguments in the folder; its output goes to /dev/null.
ChildResult RunChild(const QString& folder, const QString& program, const QStringList& arguments);

// The command as a shell would show it.
QString CommandText(const QString& program, const QStringList& arguments);

}  // namespace toolkitbench
