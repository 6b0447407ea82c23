#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QUrl>
#include <functional>

class Bezel;
class FVScroll;
class KVLinkLabel;
class KVTextLabel;
class QHBoxLayout;
class QLayout;
class QListView;
class QVBoxLayout;
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

// A section's heading row: `heading` at the leading edge, `trailing` (its
// count, say) at the trailing edge.
QHBoxLayout *headingRow(QWidget *heading, QWidget *trailing);
// `panel`'s content for rows under a heading with their count: the heading
// row, `empty` (dimmed; shown when there are no rows) and `list`, spaced 8
// points.
void countedList(Bezel *panel, QWidget *heading, KVTextLabel *count, KVTextLabel *empty, QVBoxLayout *list,
                 QWidget *note = nullptr);
// The line a section shows under its heading when its records are generated
// sample data; hidden until the section says so.
KVTextLabel *sampleNote();

// Sets up a list of drawn rows for a list well: no frame, selection or
// horizontal scroll bar, a transparent background, smooth scrolling and
// hover tracking; a click or Return on a row calls `open` with its number, and
// so does the arrow keys' move to a row while the list has the focus. The list
// has a current row only while it has the focus.
void rowList(QListView *list, std::function<void(int)> open);
// Makes `row` the list's current (once focused) and selected row and
// scrolls it into view; for -1 only clears the selection.
void reveal(QListView *list, int row);
// Marks `row` (the one open) as the list's selected row, none for -1.
void markSelected(QListView *list, int row);
// Lays out `root` now rather than over the next event rounds: the layout
// requests pending and the queued showing of its new children.
void settleLayout(QWidget *root);
// Takes every item out of `layout` and deletes it with its widget.
void clear(QLayout *layout);
// `content` in a scrolling pane that keeps 20 points clear below it.
FVScroll *scrollPane(QWidget *content);

} // namespace ScreenBits
