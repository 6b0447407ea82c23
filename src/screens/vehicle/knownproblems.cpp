#include "knownproblems.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvsymbolview.h"
#include "knownfortext.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "screenbits.h"
#include "kit/kvtextlabel.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr double kTextSize = 14;

// One sentence with its accent bullet; the bullet sits in a cell as high as
// the sentence's first line, so it stays by that line when the text wraps.
class BulletRow : public QWidget
{
public:
    explicit BulletRow(const QString &sentence)
        : m_cell(new QWidget)
        , m_text(new KVTextLabel(sentence, kTextSize))
        , m_row(new QHBoxLayout(this))
    {
        auto *bullet = new KVSymbolView(QStringLiteral("circle.fill"));
        bullet->setPoints(6);
        bullet->setColor(FVPalette::current().accentText());
        auto *cell = new QVBoxLayout(m_cell);
        cell->setContentsMargins(0, 0, 0, 0);
        cell->addWidget(bullet, 0, Qt::AlignCenter);
        m_text->setWordWrap(true);
        m_row->setContentsMargins(0, 0, 0, 0);
        m_row->addWidget(m_cell, 0, Qt::AlignTop);
        m_row->addWidget(m_text, 1);
        applyMetrics();
        KVScaleWatch::follow(this, [this] { applyMetrics(); });
    }

private:
    void applyMetrics()
    {
        m_row->setSpacing(KVScale::ipt(8));
        m_cell->setFixedHeight(int(std::ceil(QFontMetricsF(m_text->font()).height())));
    }

    QWidget *m_cell;
    KVTextLabel *m_text;
    QHBoxLayout *m_row;
};

} // namespace

KnownProblems::KnownProblems(QWidget *parent)
    : Bezel(parent)
    , m_box(new QVBoxLayout)
    , m_rows(new QVBoxLayout)
    , m_footnote(new KVTextLabel(KnownForText::footnote(), 11.5))
    , m_sample(ScreenBits::sampleNote())
{
    setObjectName(QStringLiteral("knownFor"));
    auto *content = new QWidget;
    content->setLayout(m_box);
    m_box->setContentsMargins(0, 0, 0, 0);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_box->addWidget(m_sample);
    m_box->addLayout(m_rows);
    m_footnote->setColor(FVPalette::current().dim);
    m_footnote->setWordWrap(true);
    m_box->addWidget(m_footnote);
    setContent(content);
    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

void KnownProblems::applyMetrics()
{
    m_box->setSpacing(KVScale::ipt(8));
    m_rows->setSpacing(KVScale::ipt(8));
}

void KnownProblems::setSample(bool sample)
{
    m_sample->setVisible(sample);
}

void KnownProblems::setLines(const QStringList &lines, const QString &name)
{
    const QString heading = KnownForText::heading(name);
    if (!m_heading || m_heading->text() != heading) {
        delete m_heading;
        m_heading = new GaugeLabel(heading);
        m_box->insertWidget(0, m_heading);
    }
    if (lines == m_lines)
        return;
    for (QWidget *w : std::as_const(m_rowWidgets))
        delete w;
    m_rowWidgets.clear();
    for (const QString &line : lines) {
        auto *row = new BulletRow(line);
        m_rows->addWidget(row);
        m_rowWidgets.append(row);
    }
    m_lines = lines;
}

QString KnownProblems::headingText() const
{
    return m_heading ? m_heading->text() : QString();
}

QString KnownProblems::footnoteText() const
{
    return m_footnote->text();
}
