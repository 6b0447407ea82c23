#pragma once

#include <QWidget>

class AppModel;
class GarageBody;
class QTimer;

// The My Garage screen: the editor over the open garage, or a panel with the
// reason the garage could not be opened. It follows the model, so a garage
// that opens later (one that was busy) replaces the panel with the editor.
class GarageView : public QWidget
{
    Q_OBJECT

public:
    // The shared model.
    explicit GarageView(QWidget *parent = nullptr);
    explicit GarageView(AppModel &m, QWidget *parent = nullptr);

    // The editor; null while the garage is not open.
    GarageBody *body() const { return m_body; }
    // The error panel's text; empty while the garage is open.
    QString errorText() const { return m_error; }

private:
    void build();

    AppModel &m_model;
    QTimer *m_retry;
    GarageBody *m_body = nullptr;
    QWidget *m_panel = nullptr;
    QString m_error;
};
