#pragma once
// Folders of files for the toolkit's tests: written from a map of relative
// paths to contents, and read back the same way (regular files only, so that
// folders left empty do not count); and skarrow2-dat run as a program.
#include <sys/resource.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "tests/support/DatWriter.h"

namespace testsupport {

using Tree = QMap<QString, QByteArray>;

inline void WriteTree(const QString& root, const Tree& tree) {
  for (auto file = tree.begin(); file != tree.end(); ++file) {
    const QString path = root + '/' + file.key();
    QDir().mkpath(QFileInfo(path).path());
    WriteFile(path, file.value());
  }
}

inline Tree ReadTree(const QString& root) {
  Tree tree;
  QDirIterator files(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString path = files.next();
    tree.insert(QDir(root).relativeFilePath(path), ReadFile(path));
  }
  return tree;
}

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
