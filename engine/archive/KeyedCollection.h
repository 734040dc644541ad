#pragma once
// The ordered, keyed collection that the archive classes wrap: positions from 1,
// keys compared without letter case, members shared with whoever else holds them.
#include <QHash>
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

namespace engine {

class CollectionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

template <typename T>
class KeyedCollection {
 public:
  using Ptr = std::shared_ptr<T>;

  // Appends under the key, or without key when it is empty. A key already
  // present fails and adds nothing.
  void Add(Ptr member, const QString& key = {}) {
    if (!key.isEmpty()) {
      const QString folded = key.toCaseFolded();
      if (byKey_.contains(folded)) throw CollectionError("key is already associated with an element");
      byKey_.insert(folded, member);
    }
    members_.push_back(std::move(member));
  }

  const Ptr& Item(int position) const { return members_.at(checked(position)); }

  Ptr Item(const QString& key) const {
    Ptr member = Find(key);
    if (!member) throw CollectionError("unknown key");
    return member;
  }

  // The member under the key, or null: the lookup without the error.
  Ptr Find(const QString& key) const { return byKey_.value(key.toCaseFolded()); }

  // Later members move down one position.
  void Remove(int position) {
    const std::size_t index = checked(position);
    forgetKeysOf(members_[index].get());
    members_.erase(members_.begin() + static_cast<std::ptrdiff_t>(index));
  }

  void Remove(const QString& key) { Remove(PositionOf(Item(key).get())); }

  int Count() const { return static_cast<int>(members_.size()); }

  // 1-based position of a member, 0 when absent.
  int PositionOf(const T* member) const {
    for (std::size_t i = 0; i < members_.size(); ++i)
      if (members_[i].get() == member) return static_cast<int>(i) + 1;
    return 0;
  }

  // Enumeration in position order.
  auto begin() const { return members_.begin(); }
  auto end() const { return members_.end(); }

 private:
  std::size_t checked(int position) const {
    if (position < 1 || position > Count()) throw CollectionError("position out of range");
    return static_cast<std::size_t>(position - 1);
  }

  void forgetKeysOf(const T* member) {
    for (auto it = byKey_.begin(); it != byKey_.end();)
      it = it.value().get() == member ? byKey_.erase(it) : std::next(it);
  }

  std::vector<Ptr> members_;
  QHash<QString, Ptr> byKey_;  // only keyed members, so keyless entries cost nothing here
};

}  // namespace engine
