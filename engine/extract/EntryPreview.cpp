#include "engine/extract/EntryPreview.h"

#include <algorithm>
#include <memory>

#include "engine/archive/ClsTreeDir.h"
#include "engine/extract/ExtractEntry.h"
#include "engine/extract/FileDecompressor.h"

namespace engine {

// The copy is stopped as an extraction run is stopped, at the first piece or
// inflated chunk that brings bytes past the limit.
EntryPreview PreviewEntry(const ClsTreeDir& entry, const platform::ArchiveSource& archive, qint64 limit) {
  EntryPreview preview;
  bool more = false;
  EntryObserver quiet;
  std::unique_ptr<FileDecompressor> decompressor;
  const ExtractResult result = Settled([&] {
    EntryCopy copy(entry, archive);
    copy.StopWhen([&more] { return more; });
    copy.Prepare(nullptr);
    copy.Pour(decompressor, quiet, [&](const char* data, qint64 size) {
      const qint64 room = limit - preview.Bytes.size();
      preview.Bytes.append(data, std::min(size, room));
      more = more || size > room;
    });
    return ExtractResult();
  });
  if (result.outcome == ExtractOutcome::Stopped || (more && result.outcome == ExtractOutcome::Extracted)) {
    preview.Cut = true;
  } else if (result.outcome != ExtractOutcome::Extracted) {
    preview.Damage = result.reason;
    preview.Bytes.clear();
  }
  return preview;
}

bool LooksLikeText(QByteArrayView bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\f' && byte != '\r') || byte == 0x7f;
  });
}

std::vector<qint32> LineStarts(QByteArrayView text) {
  std::vector<qint32> starts;
  if (!text.isEmpty()) starts.push_back(0);
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (i + 1 < text.size()) starts.push_back(static_cast<qint32>(i + 1));
  }
  return starts;
}

QByteArrayView LineAt(QByteArrayView text, const std::vector<qint32>& starts, std::size_t line) {
  const qsizetype end = line + 1 < starts.size() ? starts[line + 1] : text.size();
  QByteArrayView piece = text.sliced(starts[line], end - starts[line]);
  while (piece.endsWith('\n') || piece.endsWith('\r')) piece.chop(1);
  return piece;
}

QString HexDumpLine(QByteArrayView bytes, qint64 offset) {
  QString line = QStringLiteral("%1 ").arg(offset, 8, 16, QLatin1Char('0')).toUpper();
  QString shown;
  for (int i = 0; i < HexDumpWidth; ++i) {
    if (i < bytes.size()) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      line += QStringLiteral(" %1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
      shown += byte >= 0x20 && byte < 0x7f ? QLatin1Char(static_cast<char>(byte)) : QLatin1Char('.');
    } else {
      line += QLatin1String("   ");
    }
  }
  return line + QLatin1String("  ") + shown;
}

}  // namespace engine
