#pragma once

#include <QString>
#include <QWidget>
#include <optional>

class AppModel;
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
    // In snapshot mode the list is a bare stack: as tall as all its rows.
    void fitWholeList();

    AppModel &m_model;
    ModelObserver *m_observer;
    QWidget *m_body = nullptr;
    QListView *m_list = nullptr;
    GuideListModel *m_listModel = nullptr;
    GuideRunner *m_runner = nullptr;
    std::optional<QString> m_revealed; // the selection last scrolled to
};
