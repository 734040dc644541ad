#pragma once
// Where an entry may be written. Entry names are the archive's bytes with "\"
// between folders, shown as Latin-1; on disk every name is that Latin-1 text in
// the file system's encoding. The chosen folder is opened once; every level
// below it is reached by descriptor, never through a link and never by a path
// resolved again, so nothing is ever written outside the destination.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <list>
#include <memory>
#include <string>

#include "common/platform/FolderHandle.h"
#include "engine/archive/ClsTreeDir.h"

namespace engine {

// Why the entry name may not be written, or empty text when it may: a
// component that is empty, "." or "..", or looks like a drive ("C:"), a "/"
// or a NUL byte anywhere.
QString UnsafeNameReason(const QByteArray& filename);

// The start of the hidden names under which files are written until complete.
inline constexpr char HiddenPrefix[] = "tallyhold";

// One name component as the file system spells it.
std::string DiskName(const QByteArray& component);

// A name inside a folder, as messages show it.
QString ShownPath(const QString& folder, const std::string& diskName);

// A folder of the destination, held open, with its path for messages. made:
// this run made it, so every name in it is this run's own.
struct DestFolder {
  std::shared_ptr<const platform::FolderHandle> handle;
  QString shown;
  bool made = false;
};

// The destination of one extraction run.
// - Flat (Extract selected): every entry lands directly in DestRoot.
// - Tree (Extract all): each entry lands in its folder below DestRoot, every
//   level made when missing. A level takes the spelling of the first name
//   that reaches it, so folders differing only in letter case become one, also
//   when the level exists already from an earlier run.
class ExtractDestination {
 public:
  enum class Layout { Flat, Tree };

  // chosen: the folder the user chose. rootName: DestRoot's name inside it
  // (Extract all: the archive's file name), or empty when the chosen folder
  // is DestRoot itself.
  ExtractDestination(const QString& chosen, const QString& rootName, Layout layout);
  ~ExtractDestination();

  // Every folder that was there before is rid of the hidden files that a run
  // which died left in it, when it is first opened.
  //
  // DestRoot, opened (and made when missing) at the first call. Throws
  // DestinationError when it cannot be, also for a link, file or special file
  // standing under its name.
  DestFolder Root();

  // The folder that receives the entry, whose name has been found safe.
  DestFolder FolderFor(const ClsTreeDir& entry);

  // Tree layout: the folder of a folder path ("text\english\game\", or "\"
  // for DestRoot), every level made when missing; also serves to make the
  // folders of the archive's tree before the entries. Throws EntryDataError
  // for an unsafe path or one the destination cannot hold (a link, a file in
  // the way, a name too long), DestinationError when a folder cannot be made.
  DestFolder FolderOf(const QByteArray& folderPath);

  // DestRoot as shown in messages.
  QString RootPath() const;

  // Whether a file standing under an entry's name is kept (the entry is
  // then not written); off, it is replaced.
  void KeepExistingFiles() { keepExisting_ = true; }
  bool KeepsExistingFiles() const { return keepExisting_; }

  // Whether the entry's folder has been resolved already, so that finding it
  // again changes nothing on disk and reads no folder.
  bool Knows(const ClsTreeDir& entry) const;

 private:
  struct Level;
  using Listing = QHash<QString, std::string>;  // case-folded name -> name on disk

  DestFolder levelFolder(const QString& key);
  DestFolder newLevel(const QString& key, const QByteArray& path);
  std::string diskNameFor(const QString& parentKey, const DestFolder& parent, const QByteArray& component);
  void hold(const QString& key, Level& level, std::shared_ptr<const platform::FolderHandle> handle);

  QString chosen_;
  QString rootName_;
  Layout layout_;
  bool keepExisting_ = false;
  DestFolder root_;
  QHash<QString, Level> levels_;      // by case-folded folder path
  QHash<QString, Listing> listings_;  // by case-folded folder path
  std::list<QString> held_;           // levels whose folder is open, used last at the back
};

}  // namespace engine
