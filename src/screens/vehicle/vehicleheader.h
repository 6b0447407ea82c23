#pragma once

#include "data/vehicleinfo.h"
#include "look/bezel.h"
#include "vehicleyearflag.h"

#include <QStringList>

class AppModel;
class KVChromeButton;
class PhotoFrame;
class QHBoxLayout;
class QVBoxLayout;
class KVTextLabel;
class Vorel;
class YearMenuButton;

// The top of the vehicle page: photo (or outline) with its credit; make,
// model, the model-year menu, the heavy and confidence tags, the years made,
// a caution note where the early years rest on weaker data, the body types,
// and the "Add to My Garage" and recall lookup buttons. Shown again for each
// vehicle and year; "Added to My Garage" lasts while the same vehicle and
// year stay shown.
class VehicleHeader : public Bezel
{
    Q_OBJECT

public:
    explicit VehicleHeader(AppModel &model, QWidget *parent = nullptr);

    // Reads the photo, years and texts afresh and updates the header in place.
    void showVehicle(const Vorel &data, const VehicleInfo &vehicle, qint64 year);

    bool added() const { return m_added.value(); }

    // The parts, for tests.
    PhotoFrame *photo() const { return m_photo; }
    YearMenuButton *yearMenu() const { return m_yearMenu; }
    KVChromeButton *garageButton() const { return m_garage; }
    KVChromeButton *recallButton() const { return m_recall; }
    QString makeText() const;
    QString modelText() const;
    QStringList tagTexts() const { return m_tagTexts; }
    QString yearRunsText() const;
    QString cautionText() const;   // empty when hidden
    QString typeText() const;      // empty when hidden
    QStringList creditTexts() const;

private:
    void addToGarage();
    void updateGarageButton();
    void setTags(const QStringList &texts, const QList<QColor> &colors);
    void applyMetrics();

    AppModel &m_model;
    std::optional<VehicleInfo> m_vehicle;
    qint64 m_year = 0;
    VehicleYearFlag m_added;

    QHBoxLayout *m_row;
    QVBoxLayout *m_photoColumn;
    QVBoxLayout *m_info;
    QHBoxLayout *m_yearRow;
    QHBoxLayout *m_actions;
    PhotoFrame *m_photo;
    KVTextLabel *m_credit1;
    KVTextLabel *m_credit2;
    KVTextLabel *m_make;
    KVTextLabel *m_modelName;
    YearMenuButton *m_yearMenu;
    QList<QWidget *> m_tags;
    QStringList m_tagTexts;
    KVTextLabel *m_runs;
    KVTextLabel *m_caution;
    KVTextLabel *m_types;
    KVChromeButton *m_garage;
    KVChromeButton *m_recall;
};
