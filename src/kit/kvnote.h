#pragma once

#include <QFrame>
#include <QList>
#include <functional>

class KVTextLabel;
class QAction;
class QKeySequence;
class QPushButton;

// A small message shown beside the control the user used: a line of plain
// text, optionally an address or file name that can be selected, and a few
// buttons. It closes on Escape, a click elsewhere or a button (unless the
// button keeps it). One note at a time: a new one replaces the last.
class KVNote : public QFrame
{
    Q_OBJECT

public:
    struct Action
    {
        QString text;
        // Runs on click; returns the button's new text to keep the note open,
        // or an empty text to close it.
        std::function<QString()> run;
        bool enabled = true;
        QString toolTip;
    };

    // Shows a note under `control` (or, when it has no room, above it),
    // inside the control's window; the first enabled button takes focus.
    static KVNote *showBeside(QWidget *control, const QString &message, const QString &detail = {},
                              const QList<Action> &actions = {});
    // A note that only tells (a busy line): it takes no focus and no input,
    // and stays until closed by its owner.
    static KVNote *showStatus(QWidget *control, const QString &message);
    // The note on screen, if any.
    static KVNote *current();

    QString message() const;
    QString detail() const;
    QList<QPushButton *> buttons() const { return m_buttons; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    KVNote(QWidget *control, const QString &message, const QString &detail, const QList<Action> &actions, bool popup);
    static KVNote *make(QWidget *control, const QString &message, const QString &detail,
                        const QList<Action> &actions, bool popup);
    void place(QWidget *control);
    // The enabled action of the note's window that `keys` run, if any.
    QAction *windowShortcut(const QKeySequence &keys) const;

    KVTextLabel *m_message;
    KVTextLabel *m_detail;
    QList<QPushButton *> m_buttons;
};
