#pragma once

#include <QWidget>

class AppModel;
class GarageBody;

// The My Garage screen: the editor over the open garage, or a panel with the
// reason the garage could not be opened.
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
    GarageBody *m_body = nullptr;
    QString m_error;
};
