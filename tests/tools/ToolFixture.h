#pragma once
// Scratch folders for the toolkit's tests, and skarrow2-dat run as a program.
#include <sys/resource.h>

#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "tests/support/FileTree.h"

namespace testsupport {

// A scratch folder with an input tree and places for archives and outputs.
struct ToolFolder {
  QString path(const QString& relative) const { return dir.filePath(relative); }
  QTemporaryDir dir;
};

// skarrow2-dat run to its end: its exit status and output.
struct Ran {
  int status = -1;  // -1 when it did not end by itself (a signal, a crash, an abort)
  QByteArray out;
  QByteArray err;
};

inline Ran Finished(QProcess& process) {
  process.waitForFinished(60'000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
          process.readAllStandardError()};
}

// prepare: what the test changes of the process before it starts.
inline Ran RunTool(const QStringList& arguments, const std::function<void(QProcess&)>& prepare = {}) {
  QProcess tool;
  if (prepare) prepare(tool);
  tool.start(QStringLiteral(SKARROW2_DAT), arguments);
  return Finished(tool);
}

// The most address space the program may map.
inline std::function<void(QProcess&)> AddressSpaceLimit(qint64 bytes) {
  return [bytes](QProcess& process) {
    process.setChildProcessModifier([bytes] {
      const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
      ::setrlimit(RLIMIT_AS, &limit);
    });
  };
}

}  // namespace testsupport
