#pragma once
// Names without letter case (FoldedBytes) as keys of hash maps: the keys
// are views, and a name looked up is folded into a buffer used again for
// the next, so that looking up thirty thousand names costs no string each.
#include <QByteArrayView>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

struct KeyHash {
  std::size_t operator()(QByteArrayView key) const noexcept;
};
template <typename Value>
using KeyMap = std::unordered_map<QByteArrayView, Value, KeyHash>;

// The lengths of a few keys: a name of another length cannot be one of
// them and is not looked up, which spares hashing thousands of names.
class KeyLengths {
 public:
  void Add(qsizetype length) {
    if (static_cast<std::size_t>(length) >= lengths_.size()) lengths_.resize(length + 1);
    lengths_[length] = true;
  }
  bool MayHold(qsizetype length) const {
    return static_cast<std::size_t>(length) < lengths_.size() && lengths_[length];
  }

 private:
  std::vector<bool> lengths_;
};

class FoldingBuffer {
 public:
  // The name folded; the view lives until the next call.
  QByteArrayView Fold(QByteArrayView name);

 private:
  std::string buffer_;
};

}  // namespace engine
