#pragma once

#include "vehiclerecordssource.h"

#include "data/tsb.h"
#include "look/bezel.h"

#include <QHash>
#include <functional>
#include <optional>

class AppModel;
class HttpClient;
class KVChromeButton;
class KVTextLabel;
class ModelObserver;
class NetStatus;
class QLineEdit;
class QVBoxLayout;
class TSBRow;

// The vehicle page's manufacturer service bulletins for the model's current
// vehicle and year: a filter box bound to the model's tsbFilter, the first
// 40 matching bulletins until "Show all" (a flag the page keeps), and on
// each row a button that looks for the agency's public copy online (through
// `http`) and opens it. The line about the last search shows under the
// bulletin it is about; like "Show all", it belongs to one vehicle and year.
// Without bulletins the section holds its heading and a line saying so.
// A row is built when it is first shown and then kept, in the list's order,
// while the vehicle and year stay: filtering only shows and hides rows.
// Another vehicle or year gives the rows back to a pool, and new bulletins
// take rows from it with their texts replaced before any is built.
class TSBList : public Bezel
{
    Q_OBJECT

public:
    struct ShowAll
    {
        std::function<bool()> get;
        std::function<void(bool)> set;
    };

    TSBList(AppModel &model, NetStatus &net, HttpClient &http, ShowAll showAll, VehicleRecordsSource records = {}, QWidget *parent = nullptr);

    // Reads the "Show all" flag again at the next turn of the event loop.
    void showAllChanged();

    // Starts the search for a bulletin's public copy (a row button's action).
    void openTSB(const TSB &tsb);

    // "<matching> of <all>"; empty while there are no bulletins.
    QString countText() const;
    // Whether the line for a vehicle-year without bulletins shows.
    bool showsEmpty() const;
    // The search's status line; empty when hidden.
    QString messageText() const;
    QLineEdit *filterField() const { return m_filter; }
    // The shown bulletins' ids, in order.
    QList<qint64> shownIDs() const { return m_shownIDs; }
    QList<KVChromeButton *> rowButtons() const { return m_buttons; }
    // "Show all <n>", or null while every matching bulletin shows.
    KVChromeButton *showAllButton() const;

private:
    struct Row
    {
        TSBRow *row = nullptr;
        QWidget *divider = nullptr;
        KVChromeButton *button = nullptr;
    };

    void refresh();
    void placeRows(const QList<TSB> &all, const QList<TSB> &shown);
    Row makeRow(const TSB &tsb);
    void setMessage(const std::optional<QString> &message);
    // Puts the status line under its bulletin's row (at the top when that
    // row is not built) and shows it while it is set and its row shows.
    void placeMessage();

    AppModel &m_model;
    NetStatus &m_net;
    HttpClient &m_http;
    ShowAll m_showAll;
    ModelObserver *m_observer;
    KVTextLabel *m_count;
    QLineEdit *m_filter;
    QWidget *m_capsule = nullptr;
    KVTextLabel *m_note = nullptr;
    KVTextLabel *m_empty;
    KVTextLabel *m_message;
    QVBoxLayout *m_box = nullptr;
    QWidget *m_rowsHost = nullptr; // holds m_list
    QVBoxLayout *m_list;
    KVChromeButton *m_more;
    KVTextLabel *m_sample; // shown when the bulletins are generated
    QList<qint64> m_shownIDs;
    QList<KVChromeButton *> m_buttons;
    // Rows built for the current vehicle and year, kept while the filter
    // hides them.
    QHash<qint64, Row> m_rows;
    // Rows of an earlier vehicle or year, hidden, waiting to be reused.
    QList<Row> m_spare;
    std::optional<QString> m_messageText;
    // The bulletin the status line is about.
    std::optional<qint64> m_messageFor;
    bool m_filled = false;
    std::optional<std::pair<qint64, qint64>> m_key;
    quint64 m_generation = 0;
    VehicleRecordsSource m_records;
};
