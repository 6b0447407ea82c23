#include "fvdelegate.h"

#include "platform/appid.h"
#include "platform/netstatus.h"

FVDelegate::FVDelegate(QObject *parent)
    : QObject(parent), m_instance(AppID::id())
{
    connect(&m_instance, &SingleInstance::activationRequested, this, &FVDelegate::bringForward);
}

bool FVDelegate::finishLaunching()
{
    if (!m_instance.claim())
        return false;
    NetStatus::shared().start();
    return true;
}

void FVDelegate::bringForward()
{
    if (!m_window)
        return;
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
