#pragma once

#include "vincheck.h"
#include "vindecoded.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <utility>

class AppModel;
class Bezel;
class HttpClient;
class KVChromeButton;
class KVTextLabel;
class ModelObserver;
class NetStatus;
class QGridLayout;
class QVBoxLayout;
class Tag;
class VINField;
class VINSession;
class VINStat;

// The VIN decoder screen: the VIN field (bound to the model's VIN text), the
// offline check of what is typed, and the online decode with its result,
// which can open the matching reference vehicle or be saved to My Garage.
// The decode state belongs to the shown screen and ends with it.
class VINView : public QWidget
{
    Q_OBJECT

public:
    // The shared model and network status, and the network's HTTP client.
    explicit VINView(QWidget *parent = nullptr);
    VINView(AppModel &m, NetStatus &net, HttpClient &http, QWidget *parent = nullptr);

    VINSession *session() const { return m_session; }
    VINField *field() const { return m_field; }
    KVChromeButton *decodeButton() const { return m_decode; }
    KVChromeButton *openButton() const { return m_open; }
    KVChromeButton *saveButton() const { return m_save; }
    QList<VINStat *> stats() const { return {m_year, m_digit, m_length}; }
    // The texts as the user sees them; empty for what is hidden.
    QString yearNoteText() const;
    QStringList problemTexts() const;
    bool showsValidTag() const;
    QString offlineText() const;
    QString statusText() const;
    QList<std::pair<QString, QString>> rowTexts() const;

    // Starts one online decode of the cleaned VIN.
    void decode(const QString &vin);
    // Adds the decoded vehicle to My Garage and shows it there.
    void saveToGarage(const VIN::Decoded &decoded, const QString &vin);

private:
    // A new column as `panel`'s content, spaced with the others.
    QVBoxLayout *panelColumn(Bezel *panel);
    QWidget *buildVinPanel();
    QWidget *buildOfflinePanel();
    QWidget *buildOnlinePanel();
    void applyMetrics();
    void refresh();
    void showProblems(const QStringList &problems);
    void showDecoded(const VIN::Decoded *decoded);
    void openMatch();

    AppModel &m_model;
    NetStatus &m_net;
    VINSession *m_session;
    ModelObserver *m_observer;
    QVBoxLayout *m_column = nullptr;
    QList<QVBoxLayout *> m_panelColumns;

    VINField *m_field = nullptr;
    VINStat *m_year = nullptr;
    VINStat *m_digit = nullptr;
    VINStat *m_length = nullptr;
    QLayout *m_statRow = nullptr;
    KVTextLabel *m_yearNote = nullptr;
    QVBoxLayout *m_problemBox = nullptr;
    QList<KVTextLabel *> m_problems;
    Tag *m_valid = nullptr;

    KVChromeButton *m_decode = nullptr;
    KVTextLabel *m_offline = nullptr;
    KVTextLabel *m_status = nullptr;
    QWidget *m_rowsBox = nullptr;
    QGridLayout *m_rows = nullptr;
    QList<std::pair<QString, QString>> m_shownRows;
    QWidget *m_actions = nullptr;
    QLayout *m_actionRow = nullptr;
    KVChromeButton *m_open = nullptr;
    KVChromeButton *m_save = nullptr;
    KVTextLabel *m_credit = nullptr;
    VIN::Check m_check;
};
