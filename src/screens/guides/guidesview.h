#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

class AppModel;
class FVScroll;
class GuideListModel;
class GuideRunner;
class ModelObserver;
class QListView;

// The Guides screen: every guide listed in groups by system on the left, the
// runner of the shown guide on the right. Its state is the model's selected
// guide and guide path. Arrow keys move in the list; Return or a click opens
// a guide (also the one shown, which starts it over).
class GuidesView : public QWidget
{
    Q_OBJECT

public:
    explicit GuidesView(QWidget *parent = nullptr);
    explicit GuidesView(AppModel &model, QWidget *parent = nullptr);

    QListView *listView() const { return m_list; }
    GuideListModel *listModel() const { return m_listModel; }
    GuideRunner *runner() const { return m_runner; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void refresh();
    void openRow(int row);
    // Where the runner's page stands after showing the guide: at its top
    // for a guide opened, with the whole step in view after an answer.
    void placePage(bool opened, bool stepped, int before);
    // In snapshot mode the list is a bare stack: as tall as all its rows.
    void fitWholeList();

    AppModel &m_model;
    ModelObserver *m_observer;
    QWidget *m_body = nullptr;
    QListView *m_list = nullptr;
    GuideListModel *m_listModel = nullptr;
    GuideRunner *m_runner = nullptr;
    FVScroll *m_pane = nullptr;
    std::optional<QString> m_revealed; // the selection last scrolled to
    bool m_opened = true;              // a guide opened since the last refresh
    std::optional<QString> m_shownID;  // what the runner showed last
    QStringList m_shownPath;
};
