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

// The vehicle page's manufacturer service bulletins for the model's current
// vehicle and year: a filter box bound to the model's tsbFilter, the first
// 40 matching bulletins until "Show all" (a flag the page keeps), and on
// each row a button that looks for the agency's public copy online (through
// `http`) and opens it. The line about the last search, like "Show all",
// belongs to one vehicle and year.
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

    // Starts the search for a bulletin's public copy (a row button's action).
    void openTSB(const TSB &tsb);

    QString countText() const;
    // The search's status line; empty when hidden.
    QString messageText() const;
    QLineEdit *filterField() const { return m_filter; }
    // The shown bulletins' ids, in order.
    QList<qint64> shownIDs() const { return m_shownIDs; }
    QList<KVChromeButton *> rowButtons() const { return m_buttons; }
    // "Show all <n>", or null while every matching bulletin shows.
    KVChromeButton *showAllButton() const;

private:
    void refresh();
    void rebuildRows(const QList<TSB> &shown);
    void setMessage(const std::optional<QString> &message);

    AppModel &m_model;
    NetStatus &m_net;
    HttpClient &m_http;
    ShowAll m_showAll;
    ModelObserver *m_observer;
    KVTextLabel *m_count;
    QLineEdit *m_filter;
    KVTextLabel *m_message;
    QVBoxLayout *m_list;
    KVChromeButton *m_more;
    KVTextLabel *m_sample; // shown when the bulletins are generated
    QList<qint64> m_shownIDs;
    QList<KVChromeButton *> m_buttons;
    // Rows built for the current vehicle and year, kept while the filter
    // hides them, so typing only shows, hides and reorders rows.
    struct Row
    {
        QWidget *row = nullptr;
        QWidget *divider = nullptr;
        KVChromeButton *button = nullptr;
    };
    QHash<qint64, Row> m_rows;
    bool m_filled = false;
    std::optional<std::pair<qint64, qint64>> m_key;
    quint64 m_generation = 0;
    VehicleRecordsSource m_records;
};
