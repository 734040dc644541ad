// Paths taken as bytes, and text made fit for a terminal.
#include <gtest/gtest.h>

#include "common/platform/PathBytes.h"
#include "common/platform/ShownText.h"

namespace {

TEST(PlatformPathBytes, EveryPathComesBackAsTheBytesItWas) {
  for (int first = 0; first < 256; ++first)
    for (int second = 0; second < 256; ++second) {
      const QByteArray bytes{static_cast<char>(first), static_cast<char>(second)};
      ASSERT_EQ(platform::PathBytes(platform::DecodedPath(bytes)), bytes) << first << ' ' << second;
    }
  // A character outside the first plane, overlong forms, a surrogate, and
  // more than U+10FFFF.
  for (const QByteArray bytes :
       {"\xf0\x90\x82\x80", "\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xf8\x90\x80\x80"})
    EXPECT_EQ(platform::PathBytes(platform::DecodedPath(bytes)), bytes) << bytes.toHex().constData();
  EXPECT_EQ(platform::DecodedPath("caf\xc3\xa9"), QStringLiteral("caf\u00e9"));
  EXPECT_EQ(platform::DecodedPath("\xf0\x90\x82\x80"), QStringLiteral("\U00010080"));
}

TEST(PlatformShownText, ControlCharactersAndBytesThatAreNotTextAreEscaped) {
  EXPECT_EQ(platform::ShownText(QString::fromLatin1("A\x1b[2J\x07\r\n\t\x7f\x85\x9f\\B\xa0\xe9")),
            QStringLiteral("A\\x1b[2J\\x07\\r\\n\\t\\x7f\\x85\\x9f\\B\u00a0\u00e9"));
  EXPECT_EQ(platform::ShownText(platform::DecodedPath("\xe9.dat")), QStringLiteral("\\xe9.dat"));
}

}  // namespace
