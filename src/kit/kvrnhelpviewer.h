#pragma once

#include "kvrnhelptopic.h"

#include <QWidget>
#include <optional>

class QLabel;
class QScrollArea;
class QVBoxLayout;
class KVHelpTopicRow;
class KVSearchField;

// The help window's content: on the left a panel with the search field over
// the list of matching topics (or a "Nothing found" line), on the right a
// panel with the page of the current topic (title, body blocks, divider and
// the maker's credit link), its text selectable. The page shows the topic the
// user clicked, else the one the viewer was opened on, else the first result.
class KVRNHelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit KVRNHelpViewer(const std::optional<QString> &initialTopic = std::nullopt, QWidget *parent = nullptr);

    // One widget per non-empty line of a help body, in line order: headings,
    // bullet rows and paragraphs in the current kit palette.
    static QList<QWidget *> blocks(const QString &text);

    std::optional<QString> initialTopic() const { return m_initial; }
    QString query() const { return m_query; }
    void setQuery(const QString &query);
    std::optional<QString> selected() const { return m_selected; }
    void select(const QString &topicID);

    // The topic on the page, if any.
    std::optional<KVRNHelpTopic> currentTopic() const { return m_current; }

    KVSearchField *searchField() const { return m_search; }
    QList<KVHelpTopicRow *> rows() const { return m_rows; }
    // The "Nothing found" line while the search finds nothing, else null.
    QLabel *nothingFoundLabel() const { return m_nothing; }
    // The page's title label, null while no topic is shown.
    QLabel *pageTitle() const { return m_pageTitle; }
    QScrollArea *pageScroll() const { return m_pageScroll; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    void rebuildList(const KVRNHelpTopics &results);
    void rebuildPage();
    void applyMetrics();
    void fitList();
    // Scrolls the topic list to the current topic's row, once laid out.
    void scrollToCurrent();
    void revealCurrent();
    bool eventFilter(QObject *watched, QEvent *event) override;

    std::optional<QString> m_initial;
    QString m_query;
    std::optional<QString> m_selected;
    std::optional<KVRNHelpTopic> m_current;
    bool m_pageBuilt = false;

    KVSearchField *m_search;
    QScrollArea *m_listScroll;
    bool m_revealCurrent = false;
    QWidget *m_listHolder;
    QVBoxLayout *m_listLayout;
    QList<KVHelpTopicRow *> m_rows;
    QLabel *m_nothing = nullptr;
    QWidget *m_leftPanel;
    QScrollArea *m_pageScroll;
    QLabel *m_pageTitle = nullptr;
};
