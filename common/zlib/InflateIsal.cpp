// ISA-L's streaming inflate, about twice as fast as zlib's. It is told to read
// the zlib header and check the Adler-32 trailer, and it finds a cut stream,
// a code the data may not use and a distance reaching before the output's
// start. It takes what zlib refuses elsewhere (a header declaring a window
// above 32 KiB, an incomplete code set) and names some faults in its own
// way, so every piece is first read by DeflateCheck, as zlib reads it: ISA-L
// gets only the bytes before the first fault found there, and the fault is
// told, in zlib's words, once ISA-L has taken those bytes without finding an
// earlier one.
#include <isa-l/igzip_lib.h>

#include "common/zlib/DeflateCheck.h"
#include "common/zlib/InflateBackend.h"

namespace zlibstream {
namespace {

QString isalReason(int code) {
  switch (code) {
    case ISAL_INVALID_BLOCK:
      return QStringLiteral("invalid block");
    case ISAL_INVALID_SYMBOL:
      return QStringLiteral("invalid code");
    case ISAL_INVALID_LOOKBACK:
      return QStringLiteral("invalid distance too far back");
    case ISAL_INCORRECT_CHECKSUM:
      return QStringLiteral("incorrect data check");
    default:
      return QString::number(code);
  }
}

}  // namespace

struct InflateBackend::State {
  inflate_state isal{};
  DeflateCheck check;
  QString fault;  // the checker's, told once ISA-L has taken the bytes before it
};

InflateBackend::InflateBackend() : state_(std::make_unique<State>()) { Reset(); }

InflateBackend::~InflateBackend() = default;

void InflateBackend::Reset() {
  isal_inflate_init(&state_->isal);
  state_->isal.crc_flag = ISAL_ZLIB;
  state_->check.Reset();
  state_->fault.clear();
}

void InflateBackend::SetInput(const char* data, qint64 size) {
  State& state = *state_;
  const DeflateCheck::Finding finding = state.check.Read(reinterpret_cast<const unsigned char*>(data), size);
  state.fault = finding.fault;
  state.isal.next_in = reinterpret_cast<uint8_t*>(const_cast<char*>(data));
  state.isal.avail_in = static_cast<uint32_t>(finding.soundBytes);
}

InflateBackend::Step InflateBackend::Inflate(char* out, qint64 outSize) {
  State& state = *state_;
  inflate_state& isal = state.isal;
  isal.next_out = reinterpret_cast<uint8_t*>(out);
  isal.avail_out = static_cast<uint32_t>(outSize);
  const int code = isal_inflate(&isal);
  Step step{outSize - isal.avail_out, isal.block_state == ISAL_BLOCK_FINISH, isal.avail_out == 0, {}};
  if (code != ISAL_DECOMP_OK)
    step.damage = isalReason(code);
  else if (!step.outputFull && isal.avail_in == 0)
    step.damage = state.fault;
  return step;
}

// ISA-L reads ahead into its bit buffer; whole bytes left there are unread too.
qint64 InflateBackend::Unread() const { return state_->isal.avail_in + state_->isal.read_in_length / 8; }

}  // namespace zlibstream
