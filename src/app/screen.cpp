#include "screen.h"

namespace {

struct ScreenText
{
    const char *raw;
    const char *title;
    const char *icon;
};

constexpr ScreenText texts[] = {
    {"home", "Find a Vehicle", "car.fill"},
    {"vehicle", "Vehicle", "gauge.with.dots.needle.67percent"},
    {"codes", "Trouble Codes", "exclamationmark.triangle.fill"},
    {"guides", "Troubleshooting Guides", "arrow.triangle.branch"},
    {"obd1", "OBD-I & Older Vehicles", "clock.arrow.circlepath"},
    {"vin", "VIN Decoder", "barcode.viewfinder"},
    {"garage", "My Garage", "wrench.and.screwdriver.fill"},
    {"credits", "Data & Photo Credits", "photo.on.rectangle.angled"},
    {"search", "Search Results", "magnifyingglass"},
};

} // namespace

std::optional<Screen> Screen::fromRawValue(const QString &raw)
{
    for (Screen s : allCases()) {
        if (raw == QLatin1String(texts[s.m_value].raw))
            return s;
    }
    return std::nullopt;
}

const QList<Screen> &Screen::sidebar()
{
    static const QList<Screen> list = {Home, Vehicle, Codes, Guides, Obd1, Vin, Garage, Credits};
    return list;
}

QString Screen::rawValue() const
{
    return QString::fromLatin1(texts[m_value].raw);
}

QString Screen::title() const
{
    return QString::fromUtf8(texts[m_value].title);
}

QString Screen::icon() const
{
    return QString::fromLatin1(texts[m_value].icon);
}
