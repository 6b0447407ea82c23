#pragma once

#include "data/guide.h"

#include <QStringList>
#include <QWidget>
#include <optional>

class AppModel;
class GuideStepBox;
class QVBoxLayout;
class Vorel;

// Runs one guide: its header, "Safety first", the current step (from the
// model's guide path), "See a professional when…" and "Public references",
// one under the other. Built anew whenever the guide or the path changes.
class GuideRunner : public QWidget
{
    Q_OBJECT

public:
    explicit GuideRunner(AppModel &model, QWidget *parent = nullptr);

    // Shows the guide (none: nothing) with the model's current path.
    void showGuide(const Vorel *data, const std::optional<Guide> &g);

    // The path the step box works on; empty while no guide is shown.
    QStringList path() const { return m_path; }
    // The step box, none without a current node.
    GuideStepBox *stepBox() const { return m_step; }

private:
    void clear();
    QWidget *header(const Guide &g) const;
    QWidget *proBox(const Guide &g) const;

    AppModel &m_model;
    QVBoxLayout *m_box;
    GuideStepBox *m_step = nullptr;
    std::optional<Guide> m_guide;
    QStringList m_stored;
    QStringList m_path;
    const Vorel *m_data = nullptr;
    bool m_built = false;
};
