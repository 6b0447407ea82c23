#include "screenbits.h"

#include "data/provenance.h"
#include "kit/kvlinklabel.h"
#include "kit/kvscale.h"
#include "kit/kvscrollarea.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"
#include "look/fvscroll.h"
#include "ptlayout.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QListView>
#include <QVBoxLayout>

KVTextLabel *ScreenBits::wrapped(const QString &text, double points, QFont::Weight weight, const QColor &color)
{
    auto *label = new KVTextLabel(text, points, weight);
    label->setWordWrap(true);
    label->setColor(color);
    return label;
}

QWidget *ScreenBits::link(const QString &text, const QUrl &url, double points)
{
    auto *row = new QWidget;
    auto *box = new QHBoxLayout(row);
    box->setContentsMargins(0, 0, 0, 0);
    auto *label = new KVLinkLabel(text, url);
    label->setWraps(true);
    label->setFont(FVFont::font(points));
    KVScaleWatch::follow(label, [label, points] { label->setFont(FVFont::font(points)); });
    box->addWidget(label);
    box->addStretch(1);
    return row;
}

Bezel *ScreenBits::bezel(QWidget *content, double radius, double padding)
{
    auto *b = new Bezel(radius, padding);
    b->setContent(content);
    return b;
}

QHBoxLayout *ScreenBits::headingRow(QWidget *heading, QWidget *trailing)
{
    auto *row = new QHBoxLayout;
    row->addWidget(heading, 0, Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(trailing, 0, Qt::AlignVCenter);
    return row;
}

void ScreenBits::countedList(Bezel *panel, QWidget *heading, KVTextLabel *count, KVTextLabel *empty,
                             QVBoxLayout *list, QWidget *note)
{
    auto *content = new QWidget;
    auto *box = new QVBoxLayout(content);
    box->setContentsMargins(0, 0, 0, 0);
    box->addLayout(headingRow(heading, count));
    if (note)
        box->addWidget(note);
    empty->setColor(FVPalette::current().dim);
    empty->setWordWrap(true);
    box->addWidget(empty);
    list->setContentsMargins(0, 0, 0, 0);
    box->addLayout(list);
    panel->setContent(content);
    const auto metrics = [box, list] {
        box->setSpacing(KVScale::ipt(8));
        list->setSpacing(KVScale::ipt(8));
    };
    metrics();
    KVScaleWatch::follow(panel, metrics);
}

KVTextLabel *ScreenBits::sampleNote()
{
    auto *note = new KVTextLabel(Provenance::sampleData(), 12, QFont::DemiBold);
    note->setObjectName(QStringLiteral("sampleNote"));
    note->setColor(FVPalette::amberText());
    note->setWordWrap(true);
    note->hide();
    return note;
}

namespace {

// Keeps a row list's current row only while the list has the focus, so a
// screen reader hears of one focused object at a time; the row comes back
// with the focus.
class CurrentWhileFocused final : public QObject
{
public:
    explicit CurrentWhileFocused(QListView *list)
        : QObject(list)
        , m_list(list)
    {
        list->installEventFilter(this);
    }

    static CurrentWhileFocused *of(QListView *list)
    {
        return dynamic_cast<CurrentWhileFocused *>(list->property("fvCurrentKeeper").value<QObject *>());
    }

    // True while the focus brings back the row already open.
    bool restoring() const { return m_restoring; }

    void setRow(int row)
    {
        m_row = row;
        if (m_list->hasFocus())
            m_list->setCurrentIndex(m_list->model()->index(row, 0));
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // A click makes the row under the pointer current itself: bringing
        // back the earlier row first would scroll the list under the pointer.
        // Any other focus brings back that row, or the first one; either way
        // focus alone opens nothing.
        if (event->type() == QEvent::FocusIn && !m_list->currentIndex().isValid()
            && static_cast<QFocusEvent *>(event)->reason() != Qt::MouseFocusReason) {
            const int row = m_row >= 0 && m_row < m_list->model()->rowCount() ? m_row : firstRow();
            if (row >= 0) {
                m_restoring = true;
                m_list->setCurrentIndex(m_list->model()->index(row, 0));
                m_restoring = false;
            }
        }
        if (event->type() == QEvent::FocusOut && m_list->currentIndex().isValid()) {
            m_row = m_list->currentIndex().row();
            m_list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        }
        return false;
    }

private:
    int firstRow() const
    {
        for (int row = 0; row < m_list->model()->rowCount(); ++row) {
            if (m_list->model()->flags(m_list->model()->index(row, 0)) & Qt::ItemIsEnabled)
                return row;
        }
        return -1;
    }

    QListView *m_list;
    int m_row = -1;
    bool m_restoring = false;
};

} // namespace

void ScreenBits::rowList(QListView *list, std::function<void(int)> open)
{
    list->setProperty("fvCurrentKeeper", QVariant::fromValue<QObject *>(new CurrentWhileFocused(list)));
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFrameShape(QFrame::NoFrame);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setMouseTracking(true);
    // Transparent without a style sheet: one would give the list's scroll bar
    // the application's palette in place of the theme's.
    list->viewport()->setAutoFillBackground(false);
    const auto openIndex = [open = std::move(open)](const QModelIndex &i) { open(i.row()); };
    QObject::connect(list, &QAbstractItemView::clicked, list, openIndex);
    QObject::connect(list, &QAbstractItemView::activated, list, openIndex);
    // The rows follow the arrow keys, as a desktop list's do: the keyboard's
    // row opens as it moves (rows set from elsewhere, without the focus, do not).
    QObject::connect(list->selectionModel(), &QItemSelectionModel::currentChanged, list,
                     [list, openIndex](const QModelIndex &current) {
                         const CurrentWhileFocused *keeper = CurrentWhileFocused::of(list);
                         if (current.isValid() && list->hasFocus() && !(keeper && keeper->restoring())) {
                             openIndex(current);
                             // A list taller than the page's view brings the row into it.
                             KVScrollArea::reveal(list->viewport(), KVScale::ipt(8), list->visualRect(current));
                         }
                     });
}

void ScreenBits::reveal(QListView *list, int row)
{
    markSelected(list, row);
    CurrentWhileFocused *keeper = CurrentWhileFocused::of(list);
    if (row < 0) {
        // An open item the list does not show: the focus comes back to no earlier row.
        if (keeper && !list->hasFocus())
            keeper->setRow(-1);
        return;
    }
    const QModelIndex index = list->model()->index(row, 0);
    if (keeper && !list->hasFocus())
        keeper->setRow(row);
    else
        list->setCurrentIndex(index);
    list->scrollTo(index);
}

void ScreenBits::markSelected(QListView *list, int row)
{
    // For a screen reader only: the rows draw their own highlight.
    if (row < 0)
        list->clearSelection();
    else
        list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

void ScreenBits::settleLayout(QWidget *root)
{
    // A nested layout request goes up one level per round.
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::sendPostedEvents(root, QEvent::MetaCall);
        for (QObject *o : root->findChildren<QObject *>())
            QCoreApplication::sendPostedEvents(o, QEvent::MetaCall);
    }
}

void ScreenBits::clear(QLayout *layout)
{
    while (QLayoutItem *item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

FVScroll *ScreenBits::scrollPane(QWidget *content)
{
    auto *pane = new QWidget;
    auto *box = new QVBoxLayout(pane);
    PtLayout::margins(box, pane, 0, 0, 0, 20);
    box->addWidget(content);
    return new FVScroll(pane);
}
