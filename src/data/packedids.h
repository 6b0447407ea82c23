#pragma once

#include <QByteArray>
#include <QList>

// Packed bulletin id lists: one unsigned little-endian base-128 number per id,
// each the difference from the previous id (the first from 0), nothing else.
namespace PackedIDs {

// The ids in stored order. Never fails: a number cut off at the end is
// dropped, groups past 64 bits add nothing, and decoding stops (keeping the
// ids read so far) where an id would leave the signed 64-bit range.
QList<qint64> decode(const QByteArray &packed);

// Packs ascending, non-negative ids (equal neighbours allowed). Any other list
// gives empty bytes and sets *ok to false.
QByteArray encode(const QList<qint64> &ids, bool *ok = nullptr);

} // namespace PackedIDs
