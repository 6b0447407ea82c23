#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>
#include <functional>

// Draws a themed view into an image without showing a window, one pixel per
// point: a full shot (1440 points wide, as tall as its content), a top shot
// (1440 by 920, clipped) and the picker shot (1200 by 860). A full shot is
// never shorter than the top shot.
namespace FVSnapshotRender {

using Builder = std::function<QWidget *()>;

constexpr int fullWidth = 1440;
constexpr int topHeight = 920;
constexpr int pickerWidth = 1200;
constexpr int pickerHeight = 860;

QImage full(const Builder &build);
QImage top(const Builder &build);
QImage picker(const Builder &build);

// The image as PNG bytes; empty for a null image or when encoding fails.
QByteArray png(const QImage &image);

} // namespace FVSnapshotRender
