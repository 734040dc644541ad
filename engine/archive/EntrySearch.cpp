#include "engine/archive/EntrySearch.h"

#include <utility>

namespace engine {
namespace {

// Often enough that a stop is seen within a millisecond or so.
constexpr int AskEvery = 4096;

}  // namespace

std::optional<SearchResults> FindEntries(const std::shared_ptr<const ColTrees>& folders, const QString& pattern,
                                         const std::function<bool()>& stop) {
  SearchResults results{pattern, folders, {}};
  if (pattern.isEmpty() || !folders) return results;
  const NamePatterns patterns({pattern});
  // The entries of a folder mostly spell it alike: the pattern reads that
  // spelling once.
  QByteArrayView spelling;
  std::optional<NamePatterns::After> afterFolder;
  int untilAsked = AskEvery;
  for (const auto& folder : *folders) {
    for (const auto& entry : *folder) {
      if (--untilAsked == 0) {
        if (stop && stop()) return std::nullopt;
        untilAsked = AskEvery;
      }
      const QByteArrayView name(entry->Filename);
      const QByteArrayView folderPart = name.first(name.lastIndexOf('\\') + 1);
      if (!afterFolder || folderPart != spelling) {
        spelling = folderPart;
        afterFolder = patterns.Read(folderPart);
      }
      if (afterFolder->Matches(name.sliced(folderPart.size()))) results.Entries.push_back(entry.get());
    }
  }
  return results;
}

EntrySearch::EntrySearch(std::shared_ptr<const ColTrees> folders, std::function<void(SearchResults)> found)
    : folders_(std::move(folders)), found_(std::move(found)), thread_([this] { work(); }) {}

EntrySearch::~EntrySearch() {
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
    ++generation_;
  }
  wake_.notify_one();
  thread_.join();
}

void EntrySearch::Search(const QString& pattern) {
  {
    const std::lock_guard lock(mutex_);
    pending_ = pattern;
    ++generation_;
  }
  wake_.notify_one();
}

void EntrySearch::work() {
  for (;;) {
    QString pattern;
    quint64 generation = 0;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return quit_ || pending_; });
      if (quit_) return;
      pattern = *std::exchange(pending_, std::nullopt);
      generation = generation_;
    }
    const auto superseded = [this, generation] { return generation_ != generation; };
    std::optional<SearchResults> results = FindEntries(folders_, pattern, superseded);
    if (results && !superseded()) found_(std::move(*results));
  }
}

}  // namespace engine
