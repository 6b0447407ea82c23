#pragma once

#include <QWidget>
#include <functional>

class AppModel;
class KVChromeButton;
class KVTextLabel;
class QBoxLayout;
class Vorel;
struct Recall;

// One recall campaign in full, the content of the main window's recall
// sheet: title and Close, the facts line, then in a scrolling column the
// components, summary, consequence, remedy and notes, the vehicles of the
// reference data it covers, the reminder to check by VIN and the button to
// the agency's recall lookup. A campaign the data does not hold (or no data
// at all) shows a one-line notice and Close. `dismiss` closes the sheet.
class RecallSheet : public QWidget
{
    Q_OBJECT

public:
    RecallSheet(const QString &campaign, AppModel &model, std::function<void()> dismiss, QWidget *parent = nullptr);

    bool found() const { return m_found; }
    // The texts of the sheet from top to bottom (titles, lines and bodies).
    QStringList texts() const;

private:
    // `button`, named "close", dismissing the sheet.
    KVChromeButton *closeButton(KVChromeButton *button);
    void buildNotFound(const QString &campaign);
    void buildRecall(const Vorel &data, const Recall &recall);
    KVTextLabel *addText(QBoxLayout *box, const QString &text, double points,
                         int weight = 400, bool selectable = false);

    std::function<void()> m_dismiss;
    bool m_found = false;
    QStringList m_texts;
};
