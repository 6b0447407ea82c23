#include "obd1rules.h"

#include "platform/fvinfo.h"

namespace {
const QString kNotCovered = QStringLiteral("not-covered");
const QString kPreComputer = QStringLiteral("pre-computer");
}

QString OBD1Rules::title(const OBD1Section &s)
{
    return s.id == kNotCovered ? QStringLiteral("What we don't cover yet") : s.makes;
}

bool OBD1Rules::showsSystem(const OBD1Section &s)
{
    return !s.system.isEmpty() && s.id != kNotCovered;
}

Tone OBD1Rules::tagTone(const OBD1Section &s)
{
    return s.id == kPreComputer ? Tone::Grey : Tone::Accent;
}

QString OBD1Rules::readingTitle(const OBD1Section &s)
{
    return s.steps.isEmpty() ? QString() : QStringLiteral("Reading the codes");
}

QString OBD1Rules::stepLine(qsizetype index, const QString &text)
{
    return QString::number(index + 1) + QStringLiteral(". ") + text;
}

QString OBD1Rules::footer()
{
    return QStringLiteral("Written in our own words from the public sources listed under each section; no maker's "
                          "code tables are reproduced. Turn the key off and remove any jumper when you're done. ")
        + FVInfo::disclaimer();
}
