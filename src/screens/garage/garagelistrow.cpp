#include "garagelistrow.h"

#include "kit/kvscale.h"
#include "kit/kvshape.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"

#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

QWidget *makeLabel(KVTextLabel *title, KVTextLabel *nickname)
{
    auto *label = new QWidget;
    auto *col = new QVBoxLayout(label);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(1);
    title->setWordWrap(true);
    nickname->setWordWrap(true);
    auto *fade = new QGraphicsOpacityEffect(nickname);
    fade->setOpacity(0.8);
    nickname->setGraphicsEffect(fade);
    col->addWidget(title);
    col->addWidget(nickname);
    return label;
}

} // namespace

GarageListRow::GarageListRow(qint64 id, bool selected, std::function<void()> action, QWidget *parent)
    : GarageListRow(id, selected, std::move(action), new KVTextLabel(13.5, QFont::Bold), new KVTextLabel(11.5), parent)
{
}

GarageListRow::GarageListRow(qint64 id, bool selected, std::function<void()> action, KVTextLabel *title,
                             KVTextLabel *nickname, QWidget *parent)
    : ChromeRow(selected, std::move(action), makeLabel(title, nickname), parent)
    , m_id(id)
    , m_title(title)
    , m_nickname(nickname)
{
    setObjectName(QStringLiteral("vehicleRow"));
    setFocusPolicy(Qt::StrongFocus);
}

void GarageListRow::setTexts(const QString &title, const QString &nickname)
{
    m_title->setPlain(title);
    m_nickname->setPlain(nickname);
    m_nickname->setVisible(!nickname.isEmpty());
    setAccessibleName(nickname.isEmpty() ? title : title + QStringLiteral(", ") + nickname);
}

QString GarageListRow::titleText() const
{
    return m_title->text();
}

QString GarageListRow::nicknameText() const
{
    return m_nickname->isHidden() ? QString() : m_nickname->text();
}

void GarageListRow::paintEvent(QPaintEvent *event)
{
    ChromeRow::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ring = selected() ? FVPalette::current().onAccent() : FVPalette::current().focusColor;
    KVShape::strokeRoundedRectInside(p, QRectF(rect()), KVScale::pt(12), KVScale::pt(2), QBrush(ring));
}

void GarageListRow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        QWidget *box = parentWidget();
        const QList<GarageListRow *> rows = box ? box->findChildren<GarageListRow *>(Qt::FindDirectChildrenOnly)
                                                : QList<GarageListRow *>();
        QList<GarageListRow *> visible;
        for (GarageListRow *r : rows) {
            if (!r->isHidden())
                visible << r;
        }
        std::sort(visible.begin(), visible.end(), [](auto *a, auto *b) { return a->y() < b->y(); });
        const qsizetype at = visible.indexOf(this) + (event->key() == Qt::Key_Up ? -1 : 1);
        if (at >= 0 && at < visible.size())
            visible[at]->setFocus(Qt::OtherFocusReason);
        return;
    }
    ChromeRow::keyPressEvent(event);
}

void GarageListRow::focusInEvent(QFocusEvent *event)
{
    ChromeRow::focusInEvent(event);
    update();
}

void GarageListRow::focusOutEvent(QFocusEvent *event)
{
    ChromeRow::focusOutEvent(event);
    update();
}
