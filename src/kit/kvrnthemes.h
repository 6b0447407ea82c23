#pragma once

#include "kvrntheme.h"

#include <QList>
#include <QString>

// The theme catalogue: six built-in themes, the themes an application
// registers, and the current theme stored under "kvrn.theme".
class KVRNThemes final
{
public:
    KVRNThemes() = delete;

    // The six built-in themes in menu order.
    static const QList<KVRNTheme> &builtIn();
    // builtIn() followed by the registered themes in registration order.
    static QList<KVRNTheme> all();

    // The stored-setting key of the current theme id.
    static QString key() { return QStringLiteral("kvrn.theme"); }

    // The id used when nothing is stored; "cobalt-gunmetal" at start.
    static QString defaultID();
    static void setDefaultID(const QString &id);

    // The stored id when it reads as text (an empty text included), else defaultID().
    static QString currentID();
    // Stores the id unchecked.
    static void setCurrentID(const QString &id);

    // The theme with that id; else the defaultID() theme; else the first built-in one.
    static KVRNTheme named(const QString &id);
    // named(currentID()), worked out afresh at every call.
    static KVRNTheme current();

    // Appends the themes whose id is not yet known; the first of an id wins.
    static void registerThemes(const QList<KVRNTheme> &themes);

private:
    static const KVRNTheme *find(const QString &id);
};
