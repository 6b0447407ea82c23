#pragma once

#include <QList>
#include <QStringView>
#include <cmath>

// Seeded splitmix64 generator. Every stream is keyed by a text, so a record's
// numbers do not depend on the order in which other records were made.
class Rng
{
public:
    explicit Rng(quint64 seed) : m_state(seed) {}

    static quint64 hash(QStringView key)
    {
        quint64 h = 1469598103934665603ULL; // FNV-1a
        for (const QChar c : key) {
            h ^= c.unicode();
            h *= 1099511628211ULL;
        }
        return h;
    }
    static Rng keyed(QStringView key) { return Rng(hash(key)); }

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // In [0, 1).
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // In [lo, hi], both inclusive.
    qint64 range(qint64 lo, qint64 hi)
    {
        if (hi <= lo)
            return lo;
        return lo + qint64(next() % quint64(hi - lo + 1));
    }
    bool chance(double p) { return uniform() < p; }
    double normal()
    {
        const double u1 = 1.0 - uniform(); // (0, 1]
        const double u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }
    double logNormal(double mu, double sigma) { return std::exp(mu + sigma * normal()); }

    template <typename T>
    const T &pick(const QList<T> &items)
    {
        return items[qsizetype(next() % quint64(items.size()))];
    }
    // Index drawn in proportion to the weights; -1 when they sum to zero.
    qsizetype weighted(const QList<double> &weights)
    {
        double sum = 0;
        for (const double w : weights)
            sum += w;
        if (!(sum > 0))
            return -1;
        double r = uniform() * sum;
        for (qsizetype i = 0; i < weights.size(); ++i) {
            r -= weights[i];
            if (r < 0)
                return i;
        }
        for (qsizetype i = weights.size() - 1; i >= 0; --i)
            if (weights[i] > 0)
                return i;
        return -1;
    }

private:
    quint64 m_state;
};
