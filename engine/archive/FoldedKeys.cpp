#include "engine/archive/FoldedKeys.h"

#include <string_view>

#include "engine/archive/CommonFunctions.h"

namespace engine {

std::size_t KeyHash::operator()(QByteArrayView key) const noexcept {
  return std::hash<std::string_view>()(std::string_view(key.data(), static_cast<std::size_t>(key.size())));
}

QByteArrayView FoldingBuffer::Fold(QByteArrayView name) {
  buffer_.resize(static_cast<std::size_t>(name.size()));
  FoldBytes(name, buffer_.data());
  return {buffer_.data(), name.size()};
}

}  // namespace engine
