#include "packedids.h"

#include <limits>

namespace PackedIDs {

QList<qint64> decode(const QByteArray &packed)
{
    QList<qint64> out;
    constexpr quint64 maxID = quint64(std::numeric_limits<qint64>::max());
    quint64 running = 0;
    quint64 value = 0;
    int shift = 0;
    for (const char c : packed) {
        const auto b = quint8(c);
        if (shift < 64)
            value |= quint64(b & 0x7F) << shift; // bits past 64 are dropped
        if (b & 0x80) {
            if (shift < 64)
                shift += 7;
            continue;
        }
        if (value > maxID - running)
            return out;
        running += value;
        out << qint64(running);
        value = 0;
        shift = 0;
    }
    return out;
}

QByteArray encode(const QList<qint64> &ids, bool *ok)
{
    QByteArray out;
    if (ok)
        *ok = true;
    qint64 previous = 0;
    for (const qint64 id : ids) {
        if (id < previous) {
            if (ok)
                *ok = false;
            return {};
        }
        auto delta = quint64(id - previous);
        previous = id;
        do {
            quint8 b = delta & 0x7F;
            delta >>= 7;
            if (delta)
                b |= 0x80;
            out.append(char(b));
        } while (delta);
    }
    return out;
}

} // namespace PackedIDs
