#pragma once

#include "kit/kvrnthemeroot.h"

// The root of every application window, sheet and snapshot: the application
// backdrop behind its content, the theme's text colour as the foreground and
// its accent as the tint of controls; the content is built anew when the
// stored theme id changes.
class FVThemeRoot : public KVRNThemeRoot
{
    Q_OBJECT

public:
    explicit FVThemeRoot(Builder build, QWidget *parent = nullptr);
    explicit FVThemeRoot(RootBuilder build, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_shown = false;
};
