#pragma once

#include "platform/singleinstance.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

// What runs once the windowed application has started: keep a single running
// copy, then start the network monitor; and bring the main window forward
// when another copy is started.
class FVDelegate final : public QObject
{
    Q_OBJECT

public:
    explicit FVDelegate(QObject *parent = nullptr);

    // False when another copy runs: it has been asked to come forward, and
    // this process is to end (status 0) without starting the network monitor.
    bool finishLaunching();

    void setMainWindow(QWidget *window) { m_window = window; }
    void bringForward();

private:
    SingleInstance m_instance;
    QPointer<QWidget> m_window;
};
