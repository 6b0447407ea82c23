#include "kvscrollarea.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace KVScrollArea {

QScrollArea *plain(QWidget *parent)
{
    auto *scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    return scroll;
}

QWidget *topHolder(QWidget *content)
{
    auto *holder = new QWidget;
    auto *box = new QVBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(content);
    box->addStretch(1);
    return holder;
}

QScrollArea *around(QWidget *content)
{
    QScrollArea *scroll = plain();
    QWidget *holder = topHolder(content);
    scroll->setWidget(holder);
    // setWidget() turns the fill on.
    holder->setAutoFillBackground(false);
    return scroll;
}

} // namespace KVScrollArea
