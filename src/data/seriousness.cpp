#include "seriousness.h"

std::optional<Seriousness> Seriousness::fromRawValue(const QString &raw)
{
    for (const Seriousness s : allCases())
        if (s.rawValue() == raw)
            return s;
    return std::nullopt;
}

QString Seriousness::rawValue() const
{
    switch (m_level) {
    case Drive: return QStringLiteral("drive");
    case Soon: return QStringLiteral("drive soon");
    case Stop: return QStringLiteral("stop");
    }
    return {};
}

QString Seriousness::title() const
{
    switch (m_level) {
    case Drive: return QStringLiteral("Drive");
    case Soon: return QStringLiteral("Drive soon");
    case Stop: return QStringLiteral("Stop");
    }
    return {};
}

QString Seriousness::explanation() const
{
    switch (m_level) {
    case Drive: return QStringLiteral("Usually OK to keep driving. Fix it when convenient.");
    case Soon:
        return QStringLiteral("Drive gently and get it checked soon. It can get worse or cause other damage.");
    case Stop:
        return QStringLiteral("Stop driving, or drive only a very short, gentle distance. Risk of damage or a "
                              "safety system not working.");
    }
    return {};
}
