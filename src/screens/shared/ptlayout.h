#pragma once

class QBoxLayout;
class QHBoxLayout;
class QVBoxLayout;
class QWidget;

// Box layouts whose spacing and margins are given in points and follow the
// interface zoom.
namespace PtLayout {

// A column or row set on `owner`, no margins, `spacing` points apart.
QVBoxLayout *column(QWidget *owner, double spacing);
QHBoxLayout *row(QWidget *owner, double spacing);
// A nested column or row (no owner yet); the zoom is followed through `watcher`.
QVBoxLayout *column(double spacing, QWidget *watcher);
QHBoxLayout *row(double spacing, QWidget *watcher);
// Margins of the layout in points, kept in step with the zoom through `watcher`.
void margins(QBoxLayout *layout, QWidget *watcher, double left, double top, double right, double bottom);

} // namespace PtLayout
