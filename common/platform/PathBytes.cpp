#include "common/platform/PathBytes.h"

namespace platform {
namespace {

constexpr char16_t EscapeBase = 0xDC00;

struct Sequence {
  qsizetype length = 0;  // 0: the first byte starts no valid sequence
  char32_t code = 0;
};

// The UTF-8 sequence at the start of bytes: no overlong forms, no
// surrogates, nothing past U+10FFFF.
Sequence sequenceAt(QByteArrayView bytes) {
  const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {1, lead};
  const qsizetype length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || bytes.size() < length) return {};
  char32_t code = lead & (0x7F >> length);
  for (qsizetype i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {};
    code = code << 6 | (byte(i) & 0x3F);
  }
  constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {length, code};
}

}  // namespace

QString DecodedPath(QByteArrayView bytes) {
  QString path;
  path.reserve(bytes.size());
  for (qsizetype at = 0; at < bytes.size();) {
    const Sequence sequence = sequenceAt(bytes.sliced(at));
    if (sequence.length == 0) {
      path += QChar(static_cast<char16_t>(EscapeBase + static_cast<unsigned char>(bytes[at++])));
      continue;
    }
    path += QString::fromUcs4(&sequence.code, 1);
    at += sequence.length;
  }
  return path;
}

QByteArray PathBytes(QStringView path) {
  QByteArray bytes;
  bytes.reserve(path.size());
  for (qsizetype at = 0; at < path.size();) {
    const int escaped = EscapedByte(path, at);
    if (escaped >= 0) {
      bytes += static_cast<char>(escaped);
      ++at;
      continue;
    }
    const bool pair = path[at].isHighSurrogate() && at + 1 < path.size() && path[at + 1].isLowSurrogate();
    const qsizetype length = pair ? 2 : 1;
    bytes += path.sliced(at, length).toUtf8();
    at += length;
  }
  return bytes;
}

int EscapedByte(QStringView path, qsizetype at) {
  const char16_t c = path[at].unicode();
  // Bytes below 0x80 are always valid UTF-8, and the low half of a pair is text.
  if (c < EscapeBase + 0x80 || c > EscapeBase + 0xFF) return -1;
  if (at > 0 && path[at - 1].isHighSurrogate()) return -1;
  return c - EscapeBase;
}

}  // namespace platform
