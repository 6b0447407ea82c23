#pragma once

#include "data/tsb.h"

#include <QWidget>

class ClampedText;
class KVChromeButton;
class KVTextLabel;
class MonoDigitsText;
class QHBoxLayout;
class Tag;

// One row of the bulletin list: the date over the document number, the
// components with the type's tag over the summary, and the row's button at
// the trailing edge. A row is reused for another bulletin by setBulletin,
// which is cheaper than building a new one.
class TSBRow : public QWidget
{
    Q_OBJECT

public:
    explicit TSBRow(KVChromeButton *button, QWidget *parent = nullptr);

    void setBulletin(const TSB &tsb);
    const TSB &bulletin() const { return m_tsb; }
    KVChromeButton *button() const { return m_button; }

private:
    TSB m_tsb;
    KVChromeButton *m_button;
    MonoDigitsText *m_date;
    ClampedText *m_doc;
    KVTextLabel *m_components;
    Tag *m_tag = nullptr;
    KVTextLabel *m_summary;
    QHBoxLayout *m_head;
};
