#include "kvrnthemes.h"

#include "platform/prefs.h"

namespace {

KVRNTheme make(const char *id, const char *name, KVRNTheme::Family family, quint32 bg, quint32 top,
               quint32 bottom, quint32 text, quint32 dim, quint32 accent)
{
    using RGB = KVRNTheme::RGB;
    return KVRNTheme{QString::fromLatin1(id), QString::fromLatin1(name), family, RGB::fromHex(bg),
                     RGB::fromHex(top), RGB::fromHex(bottom), RGB::fromHex(text), RGB::fromHex(dim),
                     RGB::fromHex(accent)};
}

QList<KVRNTheme> &extras()
{
    static QList<KVRNTheme> list;
    return list;
}

QString &defaultIDStore()
{
    static QString id = QStringLiteral("cobalt-gunmetal");
    return id;
}

} // namespace

const QList<KVRNTheme> &KVRNThemes::builtIn()
{
    using F = KVRNTheme::Family;
    static const QList<KVRNTheme> themes{
        make("cobalt-gunmetal", "Cobalt Gunmetal", F::Masculine, 0x14181F, 0x353C48, 0x1C2129, 0xF2F5FA, 0xA3AEC0, 0x2F7BF2),
        make("candy-red-titanium", "Candy Red Titanium", F::Masculine, 0x1A1616, 0x403736, 0x231D1D, 0xFAF3F2, 0xC2AAA7, 0xD3262E),
        make("rose-gold", "Rose Gold", F::Feminine, 0x24161D, 0x4A3039, 0x2C1B23, 0xFFF2F5, 0xD6AFBC, 0xE0789A),
        make("lavender-pearl", "Lavender Pearl", F::Feminine, 0x1C1726, 0x40375A, 0x241D33, 0xF6F2FF, 0xBDB1DA, 0x9B7BE8),
        make("midnight-black", "Midnight Black", F::Black, 0x050506, 0x26272B, 0x0E0E10, 0xFFFFFF, 0x9C9EA6, 0x5AA9FF),
        make("brushed-gray", "Brushed Gray", F::Gray, 0x3A3D42, 0x6A6E75, 0x45484E, 0xFFFFFF, 0xD9DCE1, 0x1F6FD1),
    };
    return themes;
}

QList<KVRNTheme> KVRNThemes::all()
{
    return builtIn() + extras();
}

QString KVRNThemes::defaultID()
{
    return defaultIDStore();
}

void KVRNThemes::setDefaultID(const QString &id)
{
    defaultIDStore() = id;
}

QString KVRNThemes::currentID()
{
    const QVariant v = Prefs::shared().value(key());
    if (v.isValid() && v.typeId() == QMetaType::QString)
        return v.toString();
    return defaultID();
}

void KVRNThemes::setCurrentID(const QString &id)
{
    Prefs::shared().setValue(key(), id);
}

const KVRNTheme *KVRNThemes::find(const QString &id)
{
    for (const KVRNTheme &t : builtIn()) {
        if (t.id == id)
            return &t;
    }
    for (const KVRNTheme &t : extras()) {
        if (t.id == id)
            return &t;
    }
    return nullptr;
}

KVRNTheme KVRNThemes::named(const QString &id)
{
    if (const KVRNTheme *t = find(id))
        return *t;
    if (const KVRNTheme *t = find(defaultID()))
        return *t;
    return builtIn().first();
}

KVRNTheme KVRNThemes::current()
{
    return named(currentID());
}

void KVRNThemes::registerThemes(const QList<KVRNTheme> &themes)
{
    for (const KVRNTheme &t : themes) {
        if (!find(t.id))
            extras().append(t);
    }
}
