#include "pickercolumn.h"

#include "kit/kvaccessible.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "look/chromerow.h"
#include "look/columnscroll.h"
#include "look/fvpalette.h"
#include "sunkenlist.h"
#include "kit/kvtextlabel.h"

#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpacerItem>
#include <utility>
#include <QVBoxLayout>

PickerColumn::PickerColumn(const QString &title, std::optional<double> width, QWidget *parent)
    : QWidget(parent)
    , m_width(width)
    , m_title(new KVTextLabel(title.toUpper(), 11, QFont::ExtraBold))
    , m_hint(new KVTextLabel(12))
    , m_list(new QVBoxLayout)
    , m_scroll(nullptr)
{
    const FVPalette pal = FVPalette::current();
    m_title->setTracking(1.3);
    m_title->setColor(pal.dim);
    m_hint->setColor(pal.dim);
    m_hint->setWordWrap(true);
    m_hint->hide();

    auto *listContent = new QWidget;
    listContent->setLayout(m_list);
    // A list of selectable rows, named by the column's title.
    listContent->setAccessibleName(title);
    KVAccessible::setRole(listContent, QAccessible::List);
    m_list->addWidget(m_hint);

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(m_title);
    m_scroll = new ColumnScroll(listContent);
    box->addWidget(new SunkenList(m_scroll), 1);

    setSizePolicy(m_width ? QSizePolicy::Fixed : QSizePolicy::Expanding, QSizePolicy::Expanding);
    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

namespace {
constexpr double kFlexibleMinimum = 82;
}

void PickerColumn::applyMetrics()
{
    // The space kept for waiting rows would not follow the zoom.
    makeWaitingRows();
    auto *box = static_cast<QVBoxLayout *>(layout());
    box->setSpacing(KVScale::ipt(6));
    m_title->setContentsMargins(KVScale::ipt(6), 0, 0, 0);
    const int pad = KVScale::ipt(4);
    m_list->setContentsMargins(pad, pad, pad, pad);
    m_list->setSpacing(KVScale::ipt(2));
    const int hintPad = KVScale::ipt(10);
    m_hint->setContentsMargins(hintPad, hintPad, hintPad, hintPad);
    fitMinimumWidth();
    if (m_width) {
        setMaximumWidth(m_stacked ? QWIDGETSIZE_MAX : KVScale::ipt(*m_width));
        updateGeometry();
    }
}

void PickerColumn::setStacked(bool stacked)
{
    if (m_stacked == stacked)
        return;
    m_stacked = stacked;
    setSizePolicy(m_width && !stacked ? QSizePolicy::Fixed : QSizePolicy::Expanding, QSizePolicy::Expanding);
    applyMetrics();
}

void PickerColumn::fitMinimumWidth()
{
    // Room for its hint ("Choose a make.") on a narrow page.
    int least = KVScale::ipt(m_width ? std::min(*m_width, std::max(72.0, *m_width * 0.3)) : kFlexibleMinimum);
    // A narrowed column of rows alike (the years) still shows them whole,
    // beside the scroll bar.
    QScrollArea *area = m_scroll->scrollArea();
    if (m_width && m_uniform && !m_rows.isEmpty() && area) {
        const QMargins pad = m_list->contentsMargins();
        least = std::max(least, m_rows.first()->minimumSizeHint().width() + pad.left() + pad.right() +
                                    area->verticalScrollBar()->sizeHint().width());
    }
    setMinimumWidth(least);
}

QSize PickerColumn::sizeHint() const
{
    const QSize hint = QWidget::sizeHint();
    // The Model column asks for 260 points, so that all three give way alike.
    return QSize(KVScale::ipt(m_width ? *m_width : std::max(260.0, hint.width() / KVScale::factor())), hint.height());
}

QString PickerColumn::title() const
{
    return m_title->text();
}

QString PickerColumn::hint() const
{
    return m_hint->isHidden() ? QString() : m_hint->text();
}

void PickerColumn::setHint(const std::optional<QString> &hint)
{
    m_hint->setPlain(hint.value_or(QString()));
    m_hint->setVisible(hint.has_value());
}

QList<ChromeRow *> PickerColumn::rows() const
{
    const_cast<PickerColumn *>(this)->makeWaitingRows();
    return m_rows;
}

ChromeRow *PickerColumn::row(const QString &key) const
{
    const qsizetype i = m_keys.indexOf(key);
    if (i >= m_rows.size())
        const_cast<PickerColumn *>(this)->makeWaitingRows();
    return i < 0 ? nullptr : m_rows.value(i);
}

void PickerColumn::revealSelection()
{
    QScrollArea *area = m_scroll->scrollArea();
    if (!area)
        return;
    for (ChromeRow *r : std::as_const(m_rows)) {
        if (r->selected()) {
            area->ensureWidgetVisible(r, 0, 0);
            return;
        }
    }
    const qsizetype waiting = m_selected.indexOf(true, m_rows.size());
    if (waiting < 0)
        return;
    makeWaitingRows();
    area->ensureWidgetVisible(m_rows.at(waiting), 0, 0);
}

ChromeRow *PickerColumn::makeRow(qsizetype i, bool selected, QWidget *label)
{
    // The row calls whatever action the latest refresh handed in for it.
    auto *row = new ChromeRow(selected, [this, i] {
        if (i < m_actions.size() && m_actions[i])
            m_actions[i]();
    }, label);
    row->setFocusPolicy(Qt::ClickFocus); // setTabStop picks the one Tab stop
    row->setAccessibleName(m_texts.value(i, m_keys.value(i)));
    KVAccessible::setRole(row, QAccessible::ListItem);
    KVAccessible::setSelected(row, selected);
    row->installEventFilter(this);
    m_rows.append(row);
    return row;
}

qsizetype PickerColumn::rowsToMake(qsizetype count, qsizetype stop) const
{
    if (!m_uniform || m_rows.isEmpty())
        return count;
    // The column is never taller than its ancestors may be.
    int reach = QWIDGETSIZE_MAX;
    for (const QWidget *w = this; w; w = w->parentWidget())
        reach = std::min(reach, w->maximumHeight());
    if (reach == QWIDGETSIZE_MAX)
        return count;
    const int step = std::max(1, m_rows.first()->sizeHint().height() + m_list->spacing());
    return std::min(count, std::max(stop + 1, qsizetype(reach / step + 2)));
}

void PickerColumn::makeWaitingRows()
{
    if (m_waiting.isEmpty())
        return;
    const QList<std::function<QWidget *()>> labels = std::exchange(m_waiting, {});
    dropWaitingSpace();
    for (const auto &label : labels) {
        const qsizetype i = m_rows.size();
        m_list->addWidget(makeRow(i, m_selected.value(i), label()));
    }
    showHighlight(-1);
    // Placed now, so a row can be scrolled to at once; the list keeps its height.
    m_list->activate();
}

void PickerColumn::dropWaitingSpace()
{
    if (!m_waitingSpace)
        return;
    m_list->removeItem(m_waitingSpace);
    delete m_waitingSpace;
    m_waitingSpace = nullptr;
}

void PickerColumn::paintEvent(QPaintEvent *)
{
    // The rows below the reach come once the first frame is out.
    if (!m_waiting.isEmpty())
        QTimer::singleShot(0, this, [this] { makeWaitingRows(); });
}

void PickerColumn::setRows(const QList<Row> &rows)
{
    QStringList keys;
    for (const Row &r : rows)
        keys << r.key;
    m_selected.clear();
    for (const Row &r : rows)
        m_selected << r.selected;
    m_texts.clear();
    for (const Row &r : rows)
        m_texts << (r.text.isEmpty() ? r.key : r.text);
    if (keys != m_keys) {
        // Never deleted at once: a refresh may follow a click on one of them.
        for (ChromeRow *r : std::as_const(m_rows)) {
            m_list->removeWidget(r);
            r->hide();
            r->deleteLater();
        }
        m_rows.clear();
        m_waiting.clear();
        dropWaitingSpace();
        m_actions.clear();
        for (const Row &r : rows)
            m_actions.append(r.action);
        const qsizetype selected = m_selected.indexOf(true);
        qsizetype made = rows.size();
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (i == 1) // the first row tells the height of all
                made = rowsToMake(rows.size(), selected);
            if (i < made)
                m_list->addWidget(makeRow(i, rows[i].selected, rows[i].label()));
            else
                m_waiting.append(rows[i].label);
        }
        if (!m_waiting.isEmpty()) {
            // Rows all as tall as the first, each with the spacing before it.
            const int step = m_rows.first()->sizeHint().height() + m_list->spacing();
            m_waitingSpace = new QSpacerItem(0, int(m_waiting.size()) * step, QSizePolicy::Minimum, QSizePolicy::Fixed);
            m_list->addItem(m_waitingSpace);
        }
        m_keys = keys;
        fitMinimumWidth();
    } else {
        for (qsizetype i = 0; i < rows.size(); ++i)
            m_actions[i] = rows[i].action;
    }
    showHighlight(-1);
    // The focused row stays the stop; else the selected one.
    qsizetype stop = -1;
    for (qsizetype i = 0; i < m_rows.size() && stop < 0; ++i) {
        if (m_rows[i]->hasFocus())
            stop = i;
    }
    for (qsizetype i = 0; i < m_rows.size() && stop < 0; ++i) {
        if (m_rows[i]->selected())
            stop = i;
    }
    if (stop < 0)
        stop = m_selected.indexOf(true, m_rows.size());
    setTabStop(stop);
}

void PickerColumn::showHighlight(qsizetype focused)
{
    // Where the cursor does not select, the focused row alone is lit while
    // the column has the focus, so the list shows one highlight.
    if (m_arrowsActivate)
        focused = -1;
    else if (focused < 0) {
        for (qsizetype k = 0; k < m_rows.size(); ++k) {
            if (m_rows[k]->hasFocus())
                focused = k;
        }
    }
    for (qsizetype k = 0; k < m_rows.size(); ++k) {
        m_rows[k]->setSelected(focused >= 0 ? k == focused : m_selected.value(k));
        // The chosen row is the selected one, wherever the highlight is.
        m_rows[k]->setAccessibleName(m_texts.value(k, m_keys.value(k)));
        KVAccessible::setSelected(m_rows[k], m_selected.value(k));
    }
}

void PickerColumn::setTabStop(qsizetype i)
{
    if (m_rows.isEmpty())
        return;
    i = std::clamp<qsizetype>(i, 0, m_keys.size() - 1);
    if (i >= m_rows.size())
        makeWaitingRows();
    if (m_rows[i]->focusPolicy() == Qt::StrongFocus)
        return;
    for (qsizetype k = 0; k < m_rows.size(); ++k)
        m_rows[k]->setFocusPolicy(k == i ? Qt::StrongFocus : Qt::ClickFocus);
    emit tabStopChanged();
}

ChromeRow *PickerColumn::tabStop() const
{
    for (ChromeRow *r : m_rows) {
        if (r->focusPolicy() == Qt::StrongFocus)
            return r;
    }
    return nullptr;
}

void PickerColumn::moveFocus(qsizetype i)
{
    if (i < 0 || i >= m_keys.size())
        return;
    if (i >= m_rows.size())
        makeWaitingRows();
    ChromeRow *row = m_rows[i];
    setTabStop(i);
    row->setFocus(Qt::TabFocusReason);
    if (QScrollArea *area = m_scroll->scrollArea())
        area->ensureWidgetVisible(row, 0, 0);
    if (m_arrowsActivate)
        row->click();
}

bool PickerColumn::eventFilter(QObject *watched, QEvent *event)
{
    const qsizetype i = m_rows.indexOf(qobject_cast<ChromeRow *>(watched));
    if (i >= 0 && event->type() == QEvent::FocusIn) {
        setTabStop(i);
        showHighlight(i);
    }
    if (i >= 0 && event->type() == QEvent::FocusOut)
        QTimer::singleShot(0, this, [this] { showHighlight(-1); });
    if (i < 0 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Up:
        moveFocus(i - 1);
        return true;
    case Qt::Key_Down:
        moveFocus(i + 1);
        return true;
    case Qt::Key_Home:
        moveFocus(0);
        return true;
    case Qt::Key_End:
        moveFocus(m_keys.size() - 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_rows[i]->click();
        return true;
    default: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text.front().isPrint() || text.front().isSpace()
            || (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)))
            return QWidget::eventFilter(watched, event);
        if (!m_clock.isValid())
            m_clock.start();
        const qsizetype found = TypeAhead::match(m_texts, m_typeAhead.add(text, m_clock.elapsed()), i);
        if (found >= 0 && found != i)
            moveFocus(found);
        else if (found == i && m_arrowsActivate && !m_selected.value(i))
            m_rows[i]->click(); // the only match is where the cursor is
        return true;
    }
    }
}
