#include "tallyhold/extract/FileDecompressor.h"

#include "tallyhold/extract/ExtractErrors.h"
#include "tallyhold/extract/InflateStream.h"

namespace tallyhold {
namespace {

constexpr std::size_t OutputChunk = 1 << 20;

}  // namespace

FileDecompressor::FileDecompressor() : stream_(std::make_unique<InflateStream>()), output_(OutputChunk) {}

FileDecompressor::~FileDecompressor() = default;

void FileDecompressor::Begin(qint64 expectedSize, Sink sink) {
  stream_->Reset();
  sink_ = std::move(sink);
  expected_ = expectedSize;
  produced_ = 0;
  ended_ = false;
}

void FileDecompressor::Feed(const char* data, qint64 size) {
  if (ended_) return;
  stream_->SetInput(data, size);
  for (;;) {
    const InflateStream::Step step = stream_->Inflate(output_.data(), static_cast<qint64>(output_.size()));
    if (produced_ + step.produced > expected_)
      throw EntryDataError(QStringLiteral("the compressed data inflate to more than %1 bytes").arg(expected_));
    if (step.produced > 0) sink_(output_.data(), step.produced);
    produced_ += step.produced;
    ended_ = step.ended;
    // Output room left over means the input is used up.
    if (ended_ || !step.outputFull) return;
  }
}

void FileDecompressor::End() {
  sink_ = nullptr;
  if (!ended_) throw EntryDataError(QStringLiteral("the compressed data end before the stream is complete"));
  if (produced_ != expected_)
    throw EntryDataError(QStringLiteral("the compressed data inflate to %1 bytes instead of %2")
                             .arg(produced_)
                             .arg(expected_));
}

}  // namespace tallyhold
