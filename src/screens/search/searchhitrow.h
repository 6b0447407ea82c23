#pragma once

#include "data/provenance.h"
#include "data/searchhit.h"

#include <QAbstractButton>

class ClampedText;
class QHBoxLayout;
class QVBoxLayout;
class Tag;
class KVTextLabel;

// One search result: a panel that is a button as a whole, with the kind's
// tag, the title (the model year before it when the hit carries one) and up
// to two lines of snippet. A click hands the row's current hit to `open`.
class SearchHitRow : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SearchHitRow(const SearchHit &hit, const Provenance &provenance = Provenance(), QWidget *parent = nullptr);

    const SearchHit &hit() const { return m_hit; }
    // Shows another hit in place (a row is reused for the next search).
    void setHit(const SearchHit &hit);
    // The provenance the title follows (a generated recall says so).
    void setProvenance(const Provenance &provenance) { m_provenance = provenance; }

    QString titleText() const;
    QString snippetText() const; // empty when hidden
    QString tagText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void openHit(const SearchHit &hit);

protected:
    void paintEvent(QPaintEvent *event) override;
    // Return and Enter open the hit, as Space does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *m_panel;
    Tag *m_tag = nullptr;
    QHBoxLayout *m_row;
    QVBoxLayout *m_texts;
    KVTextLabel *m_title;
    ClampedText *m_snippet;
    SearchHit m_hit;
    Provenance m_provenance;
};
