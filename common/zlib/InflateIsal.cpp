// ISA-L's streaming inflate, about twice as fast as zlib's. It is told to read
// the zlib header and check the Adler-32 trailer, so that it judges a stream
// as zlib does: a wrong checksum, a cut stream or a damaged block is damage,
// bytes after the trailer are left unread. ISA-L takes a header that declares
// a window above 32 KiB, which zlib refuses, and names header faults in its
// own way, so the two header bytes are checked here as zlib checks them, with
// zlib's words. (One difference stays: a dynamic block whose unused code set
// is incomplete inflates with ISA-L, where zlib refuses the set.)
#include <isa-l/igzip_lib.h>

#include <algorithm>

#include "common/zlib/InflateBackend.h"

namespace zlibstream {
namespace {

// zlib's verdict on the header CMF, FLG, or empty text when it is good.
QString headerFault(unsigned char cmf, unsigned char flg) {
  if ((cmf * 256 + flg) % 31 != 0) return QStringLiteral("incorrect header check");
  if ((cmf & 0x0F) != 8) return QStringLiteral("unknown compression method");
  if ((cmf >> 4) > 7) return QStringLiteral("invalid window size");
  if (flg & 0x20) return QStringLiteral("need dictionary");
  return {};
}

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
  unsigned char header[2] = {};
  qint64 headerSeen = 0;
};

InflateBackend::InflateBackend() : state_(std::make_unique<State>()) { Reset(); }

InflateBackend::~InflateBackend() = default;

void InflateBackend::Reset() {
  isal_inflate_init(&state_->isal);
  state_->isal.crc_flag = ISAL_ZLIB;
  state_->headerSeen = 0;
}

QString InflateBackend::SetInput(const char* data, qint64 size) {
  State& state = *state_;
  QString damage;
  if (state.headerSeen < 2) {
    const qint64 taken = std::min<qint64>(size, 2 - state.headerSeen);
    std::copy_n(data, taken, state.header + state.headerSeen);
    state.headerSeen += taken;
    if (state.headerSeen == 2) damage = headerFault(state.header[0], state.header[1]);
  }
  state.isal.next_in = reinterpret_cast<uint8_t*>(const_cast<char*>(data));
  state.isal.avail_in = static_cast<uint32_t>(size);
  return damage;
}

InflateBackend::Step InflateBackend::Inflate(char* out, qint64 outSize) {
  inflate_state& isal = state_->isal;
  isal.next_out = reinterpret_cast<uint8_t*>(out);
  isal.avail_out = static_cast<uint32_t>(outSize);
  const int code = isal_inflate(&isal);
  return {outSize - isal.avail_out, isal.block_state == ISAL_BLOCK_FINISH, isal.avail_out == 0,
          code == ISAL_DECOMP_OK ? QString() : isalReason(code)};
}

// ISA-L reads ahead into its bit buffer; whole bytes left there are unread too.
qint64 InflateBackend::Unread() const { return state_->isal.avail_in + state_->isal.read_in_length / 8; }

}  // namespace zlibstream
