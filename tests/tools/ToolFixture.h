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

struct Ran {
  int status = -1;  // -1 when it did not end by itself (a crash, an abort)
  QByteArray out;
  QByteArray err;
};

// addressSpace: the most address space the program may map, 0 for no limit.
inline Ran RunTool(const QStringList& arguments, qint64 addressSpace = 0) {
  QProcess tool;
  if (addressSpace > 0)
    tool.setChildProcessModifier([addressSpace] {
      const rlimit limit{static_cast<rlim_t>(addressSpace), static_cast<rlim_t>(addressSpace)};
      ::setrlimit(RLIMIT_AS, &limit);
    });
  tool.start(QStringLiteral(SKARROW2_DAT), arguments);
  tool.waitForFinished(60'000);
  return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1, tool.readAllStandardOutput(),
          tool.readAllStandardError()};
}

}  // namespace testsupport
