#pragma once
// Where an entry may be written. Entry names are the archive's bytes with "\"
// between folders, shown as Latin-1; on disk every name is that Latin-1 text in
// the file system's encoding. Nothing is ever written outside the destination.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <string>

#include "tallyhold/archive/ClsTreeDir.h"

namespace tallyhold {

// Why the entry name may not be written, or empty text when it may: a
// component that is empty, "." or "..", or looks like a drive ("C:"), a "/"
// or a NUL byte anywhere.
QString UnsafeNameReason(const QByteArray& filename);

// One name component as the file system spells it.
std::string DiskName(const QByteArray& component);

// The destination of one extraction run.
// - Flat (Extract selected): every entry lands directly in the root folder.
// - Tree (Extract all): each entry lands in its folder below the root, every
//   level created when missing. A level takes the spelling of the first name
//   that reaches it, so folders differing only in letter case become one, also
//   when the level exists already from an earlier run.
// A level that resolves outside the root (a symbolic link leading out) is
// never entered.
class ExtractDestination {
 public:
  enum class Layout { Flat, Tree };
  ExtractDestination(const QString& root, Layout layout);

  // The folder, in the file system's encoding, that receives the entry, whose
  // name has been found safe. Throws EntryDataError for an entry whose folder
  // leads outside the root, DestinationError when a folder cannot be created.
  std::string FolderFor(const ClsTreeDir& entry);

  // Tree layout: the folder of a folder path ("text\english\game\", or "\"
  // for the root), every level created when missing, as for its entries; also
  // serves to create the folders of the archive's tree before the entries.
  // Throws EntryDataError for an unsafe or escaping path, DestinationError
  // when a folder cannot be created.
  std::string FolderOf(const QByteArray& folderPath);

  const QString& Root() const { return root_; }

 private:
  using Listing = QHash<QString, std::string>;  // case-folded name -> name on disk

  std::string rootFolder();
  std::string childFolder(const std::string& parent, const QByteArray& component);
  Listing& listingOf(const std::string& folder);

  QString root_;
  Layout layout_;
  std::string resolvedRoot_;                 // canonical, once created
  QHash<QString, std::string> folders_;      // case-folded folder path -> resolved folder
  QHash<QByteArray, Listing> listings_;      // by resolved folder
};

}  // namespace tallyhold
