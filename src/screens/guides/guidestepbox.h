#pragma once

#include "data/guide.h"
#include "look/bezel.h"

#include <QList>
#include <QStringList>

class AppModel;
class KVChromeButton;

// The current step of a running guide: its label ("Step <n>" or "Most
// likely"), Back and Start over, the step's text and detail, the answer
// buttons (or the end tag) and the answers so far. Every answer, Back and
// Start over replaces the model's guide path whole.
class GuideStepBox final : public Bezel
{
    Q_OBJECT

public:
    GuideStepBox(const Guide &g, const GuideNode &node, const QStringList &path, AppModel &m,
                 QWidget *parent = nullptr);

    // The answer buttons in order ("Yes", "No" or "Done — next"); none at an end.
    QList<KVChromeButton *> answerButtons() const { return m_answers; }
    KVChromeButton *backButton() const { return m_back; }
    KVChromeButton *startOverButton() const { return m_startOver; }
    // Gives the keyboard focus to the first answer, else Back, else Start over.
    void focusFirstAction();

private:
    void go(const std::optional<QString> &next);

    Guide m_guide;
    QStringList m_path;
    AppModel &m_model;
    QList<KVChromeButton *> m_answers;
    KVChromeButton *m_back = nullptr;
    KVChromeButton *m_startOver = nullptr;
};
