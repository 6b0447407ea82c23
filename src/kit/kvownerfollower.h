#pragma once

#include <QMargins>
#include <QPointer>
#include <QWidget>

// A widget drawn as a sibling of its owner, just outside the owner's
// rectangle (drop shadows, focus rings): it follows the owner's geometry,
// visibility, parent and the interface zoom, never takes mouse events or the
// focus, and goes when the owner goes.
class KVOwnerFollower : public QWidget
{
    Q_OBJECT

public:
    QWidget *owner() const { return m_owner; }
    // Draws the follower in `host`, an ancestor of the owner with room
    // around it, instead of beside the owner (where the owner's parent
    // would cut it); none puts it back beside the owner.
    void setHost(QWidget *host);

protected:
    explicit KVOwnerFollower(QWidget *owner);

    // How far the drawing reaches past the owner's rectangle, in pixels.
    virtual QMargins reach() const = 0;
    // Whether the follower shows now (besides the owner being visible).
    virtual bool wanted() const { return true; }
    // Stacks the follower against the owner (below for a shadow, above for a ring).
    virtual void stack() = 0;
    // The owner's events, after the follower has followed them.
    virtual void ownerEvent(QEvent *) {}

    void sync();
    bool eventFilter(QObject *watched, QEvent *event) override;

    QPointer<QWidget> m_owner;

private:
    // The widget the follower is a child of: the host, else the owner's parent.
    QWidget *holder() const;
    // Watches the widgets between the owner and the host, whose moves move the owner there.
    void watchBetween();

    QPointer<QWidget> m_host;
    QList<QPointer<QWidget>> m_between;
};
