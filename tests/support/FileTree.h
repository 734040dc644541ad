#pragma once
// Folders of files for the tests: written from a map of relative paths to
// contents, and read back the same way (regular files only, so that folders
// left empty do not count).
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>

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

}  // namespace testsupport
