#pragma once
// The beginning of one entry, inflated into memory to be looked at: the same
// checks and the same zlib verdict as its extraction, on the bytes read, and
// never more than a limit of them.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

#include "common/platform/ArchiveSource.h"

namespace engine {

class ClsTreeDir;

inline constexpr qint64 PreviewLimit = qint64{16} * 1024 * 1024;

struct EntryPreview {
  QByteArray Bytes;  // the entry's first bytes, at most the limit
  bool Cut = false;  // the entry goes on after them; nothing further was read or judged
  QString Damage;    // why extraction would skip the entry, in its words; empty when sound
};

EntryPreview PreviewEntry(const ClsTreeDir& entry, const platform::ArchiveSource& archive,
                          qint64 limit = PreviewLimit);

// Text is Latin-1 with no control byte but TAB, LF, FF and CR: any other byte
// below 0x20, or DEL, makes it binary. Empty bytes are text.
bool LooksLikeText(QByteArrayView bytes);

// Where each line of a text begins: a line ends at LF, CR LF or CR, and a
// line end at the very end begins no further line. One number per line, so a
// text of the preview's limit costs at most four times its size.
std::vector<qint32> LineStarts(QByteArrayView text);
// The line from its start to the next line's start (or the end), without its line end.
QByteArrayView LineAt(QByteArrayView text, const std::vector<qint32>& starts, std::size_t line);

// Bytes per line of a hex dump.
inline constexpr int HexDumpWidth = 16;
// One line of a hex dump: the offset in eight hexadecimal digits, up to 16
// bytes in hexadecimal, then those bytes as characters ("." for a byte
// outside printable ASCII).
QString HexDumpLine(QByteArrayView bytes, qint64 offset);

}  // namespace engine
