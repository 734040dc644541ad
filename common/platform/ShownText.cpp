#include "common/platform/ShownText.h"

#include "common/platform/PathBytes.h"

namespace platform {
namespace {

bool isControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

QString escaped(int byte) {
  switch (byte) {
    case '\n':
      return QStringLiteral("\\n");
    case '\r':
      return QStringLiteral("\\r");
    case '\t':
      return QStringLiteral("\\t");
    default:
      return QStringLiteral("\\x%1").arg(byte, 2, 16, QChar('0'));
  }
}

}  // namespace

QString ShownText(QStringView text) {
  QString shown;
  shown.reserve(text.size());
  for (qsizetype at = 0; at < text.size(); ++at) {
    const char16_t c = text[at].unicode();
    const int byte = EscapedByte(text, at);
    if (byte >= 0)
      shown += escaped(byte);
    else if (isControl(c))
      shown += escaped(c);
    else
      shown += QChar(c);
  }
  return shown;
}

}  // namespace platform
