#pragma once
// How a large entry is copied: in the fewest even number of pieces whose size
// does not pass the piece bound, so that no buffer grows past about 8 MiB.
#include <cstdint>

namespace engine {

// Entries whose PackedSize is at most this are copied in a single read.
inline constexpr int32_t ChunkLimit = 8388607;
// The largest PieceSize allowed.
inline constexpr int32_t PieceBound = 8388608;

struct PiecePlan {
  int16_t PieceCount = 1;
  int32_t PieceSize = 0;
  int32_t Rem = 0;  // last - PieceCount * PieceSize, with last = PackedSize - 1

  // Bytes of piece k (1 ... PieceCount): PieceSize, except the last, which takes the rest.
  int32_t SizeOf(int k) const { return k < PieceCount ? PieceSize : PieceSize + Rem + 1; }
};

inline bool NeedsPieces(int32_t packedSize) { return packedSize > ChunkLimit; }

// The plan of an entry larger than ChunkLimit: PieceCount from 2 up in steps of
// 2, PieceSize = (PackedSize - 1) / PieceCount rounded half to even.
PiecePlan PlanPieces(int32_t packedSize);

}  // namespace engine
