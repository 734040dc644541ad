#pragma once
// Paths given as bytes (the command line, a folder's names) held as text
// without loss: valid UTF-8 is decoded, and every other byte b becomes the
// lone surrogate U+DC00 + b, so that PathBytes gives the very bytes back.
// QFile's decoding turns such bytes into U+FFFD, and the file is lost.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

QString DecodedPath(QByteArrayView bytes);
QByteArray PathBytes(QStringView path);

// The byte that the character at `at` stands for when DecodedPath made it
// of a byte that is not UTF-8; -1 for a character of text.
int EscapedByte(QStringView path, qsizetype at);

}  // namespace platform
