#include "fvtestrun.h"

void FVTestRun::begin(const QString &title)
{
    line(QStringLiteral("== ") + title);
}

void FVTestRun::check(bool ok, const QString &label)
{
    if (ok)
        ++passed;
    else
        ++failed;
    line((ok ? QStringLiteral("PASS  ") : QStringLiteral("FAIL  ")) + label);
}

void FVTestRun::skip(const QString &label, const QString &reason)
{
    line(QStringLiteral("SKIP  ") + label + QStringLiteral(": ") + reason);
}

void FVTestRun::line(const QString &text, bool flush)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out);
    if (flush)
        std::fflush(m_out);
}
