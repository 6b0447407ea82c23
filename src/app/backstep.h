#pragma once

#include "screen.h"

#include <QObject>
#include <QStringList>
#include <optional>

class AppModel;

// The one step back that Alt+Left and the mouse's Back button take: a guide
// one answer back, and the vehicle page back to the picker or the search
// results it was opened from. Elsewhere there is no step back.
class BackStep final : public QObject
{
    Q_OBJECT

public:
    // Follows the model's screen changes to know where a vehicle page came from.
    explicit BackStep(AppModel &m, QObject *parent = nullptr);

    struct Target
    {
        std::optional<Screen> screen;           // go to this screen
        std::optional<QStringList> guidePath;   // or walk the guide back to this
    };
    // The step back from `screen`; no screen and no path when there is none.
    static Target target(Screen screen, std::optional<Screen> cameFrom, const QStringList &guidePath);

    bool canGoBack() const;
    void goBack();

private:
    AppModel &m_model;
    Screen m_shown;
    std::optional<Screen> m_cameFrom;
};
