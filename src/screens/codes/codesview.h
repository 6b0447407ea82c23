#pragma once

#include "codelistrules.h"
#include "data/obdcode.h"
#include "data/seriousness.h"

#include <QList>
#include <QWidget>
#include <optional>

class AppModel;
class CodeDetail;
class CodeListModel;
class FilterChip;
class FVScroll;
class KVSearchField;
class KVTextLabel;
class ModelObserver;
class QListView;
class Vorel;

// The Trouble Codes screen: a filter field, the seriousness chips, the count
// line and the list of every matching code on the left; the code shown in
// detail on the right. Its state is the model's code filter, level and
// selection. Arrow keys move in the list, Return or a click shows a code;
// Return in the filter field shows the first match (or the typed code).
class CodesView : public QWidget
{
    Q_OBJECT

public:
    explicit CodesView(QWidget *parent = nullptr);
    explicit CodesView(AppModel &model, QWidget *parent = nullptr);

    KVSearchField *filterField() const { return m_field; }
    QList<FilterChip *> chips() const { return m_chips; }
    QListView *listView() const { return m_list; }
    CodeListModel *listModel() const { return m_listModel; }
    CodeDetail *detail() const { return m_detail; }
    QString countText() const;

    // What Return in the filter field does.
    void submit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void refresh();
    void settleDetail();
    void openRow(int row);
    // Every code of the reference, read (and folded) once per database.
    const QList<OBDCode> &allCodes(const Vorel &data);

    AppModel &m_model;
    ModelObserver *m_observer;
    QWidget *m_body = nullptr;
    KVSearchField *m_field = nullptr;
    QList<FilterChip *> m_chips;
    QList<std::optional<Seriousness>> m_chipLevels;
    KVTextLabel *m_count = nullptr;
    QListView *m_list = nullptr;
    CodeListModel *m_listModel = nullptr;
    CodeDetail *m_detail = nullptr;
    FVScroll *m_detailPane = nullptr;
    std::optional<QString> m_revealed; // the selection last scrolled to
    const Vorel *m_codesOf = nullptr;
    QList<OBDCode> m_allCodes;
    QList<CodeListRules::Folded> m_folded; // of m_allCodes
};
