#pragma once

#include "typeahead.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class ChromeRow;
class ColumnScroll;
class QVBoxLayout;
class KVTextLabel;

// One column of the vehicle picker: its title upper-cased over a sunken,
// rounded, scrolling list that holds an optional hint and then selectable
// rows. Rows are keyed: handing the same keys again keeps the row widgets
// and only moves the selection, so a refresh neither flickers nor loses the
// scroll position.
//
// Keyboard: the column is one stop of the Tab chain (its selected row, else
// its first; the owner orders it with tabStop() and tabStopChanged()); Up, Down, Home and End move among the rows, and Return or Space
// runs the focused row's action; typing letters or digits moves to the row
// that starts with them. With arrowsActivate, moving also runs it, as a
// list's selection follows its cursor.
class PickerColumn : public QWidget
{
    Q_OBJECT

public:
    struct Row
    {
        QString key;                       // identity and content of the row
        std::function<QWidget *()> label;  // makes the row's label
        std::function<void()> action;      // runs on a click
        bool selected = false;
        QString text;                      // what type-ahead matches; the key when empty
    };

    // Without a width the column takes what its neighbours leave; with one
    // it is that wide where there is room and narrows to 0.4 of it (72 points at
    // least) where
    // there is not (a small window, a large zoom).
    PickerColumn(const QString &title, std::optional<double> width, QWidget *parent = nullptr);

    void setHint(const std::optional<QString> &hint);
    // Stacked under the other columns, the column takes the whole width.
    void setStacked(bool stacked);
    void setRows(const QList<Row> &rows);

    QString title() const;
    // The hint shown, empty when none.
    QString hint() const;
    QStringList keys() const { return m_keys; }
    // Every row, made now if it was still waiting.
    QList<ChromeRow *> rows() const;
    ChromeRow *row(const QString &key) const;
    // Whether all rows are as tall as the first: then the rows below the
    // column's reach wait as one space of their height until the column has
    // been drawn (or one of them is needed), so a long list is quick to show.
    void setUniformRows(bool uniform) { m_uniform = uniform; }
    // Scrolls the selected row into view (nothing while laid out flat).
    void revealSelection();
    void setArrowsActivate(bool activate) { m_arrowsActivate = activate; }
    // The row that Tab reaches, none while the column has no rows.
    ChromeRow *tabStop() const;

    QSize sizeHint() const override;

signals:
    // Another row became the Tab stop (the owner puts it in the Tab order).
    void tabStopChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyMetrics();
    void fitMinimumWidth();
    ChromeRow *makeRow(qsizetype i, bool selected, QWidget *label);
    // How many of `count` rows to make at once: those the column can show,
    // and the Tab stop `stop`.
    qsizetype rowsToMake(qsizetype count, qsizetype stop) const;
    // Makes the rows still waiting, in place of their space.
    void makeWaitingRows();
    void dropWaitingSpace();
    // Makes row i (clamped) the column's one Tab stop.
    void setTabStop(qsizetype i);
    void moveFocus(qsizetype i);
    // Lights the focused row (-1: find it), or the selected rows without focus.
    void showHighlight(qsizetype focused);

    std::optional<double> m_width;
    bool m_stacked = false;
    KVTextLabel *m_title;
    KVTextLabel *m_hint;
    QVBoxLayout *m_list;
    ColumnScroll *m_scroll;
    QStringList m_keys;
    QList<ChromeRow *> m_rows;                      // the rows made, the first ones
    QList<std::function<QWidget *()>> m_waiting;   // labels of the rows after them
    class QSpacerItem *m_waitingSpace = nullptr;
    bool m_uniform = false;
    QList<std::function<void()>> m_actions;
    QStringList m_texts;
    QList<bool> m_selected;
    TypeAhead m_typeAhead;
    QElapsedTimer m_clock;
    bool m_arrowsActivate = false;
};
