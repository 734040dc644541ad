#pragma once
// Folders of files for the toolkit's tests: written from a map of relative
// paths to contents, and read back the same way (regular files only, so that
// folders left empty do not count).
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

// skarrow2-dat run to its end: its exit status (-1 when a signal ended it) and output.
struct Ran {
  int status = -1;
  QByteArray out;
  QByteArray err;
};

inline Ran RunTool(const QStringList& arguments) {
  QProcess tool;
  tool.start(QStringLiteral(SKARROW2_DAT), arguments);
  tool.waitForFinished(60'000);
  return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1, tool.readAllStandardOutput(),
          tool.readAllStandardError()};
}

// A scratch folder with an input tree and places for archives and outputs.
struct ToolFolder {
  QString path(const QString& relative) const { return dir.filePath(relative); }
  QTemporaryDir dir;
};

}  // namespace testsupport
