#pragma once
// Finding entries by name: the entries of an archive whose full names a glob
// takes (NamePatterns, as the toolkit's list picks them), folder by folder and
// in each folder in directory order. A search asks to stop between entries,
// so that a newer pattern never waits for an older one; EntrySearch runs the
// searches on a thread of their own, the newest pattern replacing any older.
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/archive/ColTrees.h"
#include "engine/archive/NamePatterns.h"

namespace engine {

// What one search found. The folders are held with the entries, so that
// they stay valid after the archive is closed.
struct SearchResults {
  QString Pattern;
  std::shared_ptr<const ColTrees> Folders;
  std::vector<const ClsTreeDir*> Entries;
};

// Null when stopped (asked every few thousand entries). An empty pattern
// finds nothing: the user has not asked for anything yet.
std::optional<SearchResults> FindEntries(const std::shared_ptr<const ColTrees>& folders, const QString& pattern,
                                         const std::function<bool()>& stop = {});

class EntrySearch {
 public:
  // found is called on the search's thread with every search that ran to
  // its end.
  EntrySearch(std::shared_ptr<const ColTrees> folders, std::function<void(SearchResults)> found);
  // Stops the running search and waits for its thread.
  ~EntrySearch();
  EntrySearch(const EntrySearch&) = delete;
  EntrySearch& operator=(const EntrySearch&) = delete;

  // Starts a search for the pattern; a search still running stops.
  void Search(const QString& pattern);

 private:
  void work();

  const std::shared_ptr<const ColTrees> folders_;
  const std::function<void(SearchResults)> found_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<QString> pending_;  // guarded by mutex_
  bool quit_ = false;               // guarded by mutex_
  // Counts the patterns asked for; a search stops once it is not the newest.
  std::atomic<quint64> generation_{0};
  std::thread thread_;
};

}  // namespace engine
