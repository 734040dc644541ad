#pragma once
// An archive written with DatWriter, opened as a file source as a loaded
// archive is, with its entries decoded into ClsTreeDir objects, and a fresh
// destination folder beside it.
#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "common/dat/DatRecord.h"
#include "common/platform/FileSource.h"
#include "engine/archive/ClsTreeDir.h"
#include "engine/extract/ExtractEntry.h"
#include "tests/support/DatWriter.h"
#include "tests/support/Mounted.h"

namespace testsupport {

// Keeps what the engine tells about the entries it copies.
class RecordingObserver : public engine::EntryObserver {
 public:
  void EntryStatus(const QString& text) override { statusTexts << text; }
  void Working() override { ++working; }
  QStringList statusTexts;
  int working = 0;
};

class OpenArchive {
 public:
  explicit OpenArchive(const DatWriter& writer) : OpenArchive(writer.build()) {}
  explicit OpenArchive(const QByteArray& bytes) {
    const QString path = dir.filePath("archive.dat");
    WriteFile(path, bytes);
    source = platform::FileSource::Open(path);
    const dat::FixedDATInfo info = dat::GetFixedDATInfo(*source);
    dat::DirectoryReader block(*source, info);
    qint64 position = info.DirTreeAddr;
    for (int n = 1; n <= info.FilesTotal; ++n) {
      const dat::DirRecord record = block.RecordAt(position, n);
      engine::ClsTreeDir entry;
      entry.Filename = record.Filename;
      entry.FilenameSize = record.FilenameSize;
      entry.fType = record.Type;
      entry.RealSize = record.RealSize;
      entry.PackedSize = record.PackedSize;
      entry.Offset = record.Offset;
      entries.push_back(entry);
      position = record.NextPosition;
    }
    QDir(dir.path()).mkdir("dest");
  }
  std::vector<const engine::ClsTreeDir*> all() const {
    std::vector<const engine::ClsTreeDir*> list;
    for (const engine::ClsTreeDir& entry : entries) list.push_back(&entry);
    return list;
  }

  // A path inside the destination folder.
  QString dest(const QString& relative = {}) const {
    return relative.isEmpty() ? dir.filePath("dest") : dir.filePath("dest/" + relative);
  }
  // Every file and folder below the destination, relative to it, sorted.
  QStringList destContents() const { return contentsOf(dest()); }

  static QStringList contentsOf(const QString& folder) {
    QStringList names;
    QDir base(folder);
    std::function<void(const QString&)> walk = [&](const QString& relative) {
      const QDir here(base.filePath(relative));
      for (const QFileInfo& info :
           here.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString name = relative.isEmpty() ? info.fileName() : relative + "/" + info.fileName();
        names << name;
        if (info.isDir() && !info.isSymLink()) walk(name);
      }
    };
    walk({});
    names.sort();
    return names;
  }

  QTemporaryDir dir;
  std::shared_ptr<const platform::ArchiveSource> source;
  std::vector<engine::ClsTreeDir> entries;
};

}  // namespace testsupport
