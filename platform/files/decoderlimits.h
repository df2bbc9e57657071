#pragma once

#include <QtGlobal>

// What one picture may cost, told before the work is done:
// A decoder's working memory: a progressive file keeps all its coefficients,
// two bytes for each sample of every component. It is also what all decoders
// running at once may hold together.
constexpr qint64 kMaxDecoderBytes = qint64(1) << 30;
// The scans of a progressive file: encoders write ten to twenty. Each goes
// over the blocks of its components again, so their work is bounded too, in
// 8 x 8 blocks decoded: a photo's scans take a small part of it, and a file
// of many scans over a large picture is refused at the scan that would go
// past it. A sequential picture is one scan over all its blocks.
constexpr int kMaxScans = 100;
constexpr qint64 kMaxScanBlocks = qint64(1) << 25;
// The data read for one picture: its header and segments, then at most four
// bytes for each coefficient (the library's own worst case is two).
constexpr qint64 kMaxHeaderBytes = qint64(64) << 20;
constexpr qint64 kMaxBytesPerBlock = 4 * 64;
