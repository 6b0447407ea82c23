#pragma once

#include <QHash>
#include <QList>
#include <QWidget>

class AppModel;
class ModelObserver;
class QVBoxLayout;
struct OBD1Section;
struct SourceRef;

// The OBD-I & Older Vehicles page: the diagnostic eras, one card per OBD-I
// section in the data's order (connector, steps, reading and clearing the
// codes, notes and source links), and the footer. Read-only; built anew
// when the reference data changes.
class OBD1View : public QWidget
{
    Q_OBJECT

public:
    explicit OBD1View(QWidget *parent = nullptr);
    explicit OBD1View(AppModel &model, QWidget *parent = nullptr);

    // The cards in order (object name "obd1Card").
    QList<QWidget *> cards() const;

private:
    void refresh();
    QWidget *erasPanel() const;
    QWidget *card(const OBD1Section &s, const QHash<QString, SourceRef> &sources) const;

    AppModel &m_model;
    ModelObserver *m_observer;
    QVBoxLayout *m_column;
    const void *m_shownData = nullptr;
    bool m_built = false;
};
