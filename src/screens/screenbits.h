#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QUrl>

class Bezel;
class KVLinkLabel;
class KVTextLabel;
class QWidget;

// Small building blocks the reference screens share.
namespace ScreenBits {

// A plain-text label that wraps, in the rounded face; an invalid colour
// inherits the text colour.
KVTextLabel *wrapped(const QString &text, double points, QFont::Weight weight = QFont::Normal,
                     const QColor &color = QColor());
// A link in the rounded face at `points`, wrapping when narrow, at the
// leading edge of a row of its own (only the text takes clicks); opens only
// http(s) addresses.
QWidget *link(const QString &text, const QUrl &url, double points);
// A section panel around `content`.
Bezel *bezel(QWidget *content, double radius = 22, double padding = 16);

} // namespace ScreenBits
