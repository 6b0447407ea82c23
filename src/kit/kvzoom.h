#pragma once

#include <QList>
#include <QString>

// The interface zoom: one factor from 0.85 to 2.0 kept under "kvrn.zoom" in
// the user defaults and pushed to KVScale, which every size is drawn through.
namespace KVZoom {

inline constexpr double min = 0.85;
inline constexpr double max = 2.0;
inline constexpr double step = 0.15;
QString key();                 // "kvrn.zoom"
QString originID();            // "kvrn-zoom-origin"
const QList<int> &levels();    // 85, 100, 115, 130, 150, 175, 200 (percent)

// Rounded to two decimals (halves away from zero), then limited to
// [min, max]; NaN gives min.
double clamp(double x);

// The stored factor: 1.0 when absent, zero or not a number, else clamped.
double value();
// Stores clamp(v) (always written) and applies it to KVScale.
void setValue(double v);

// The zoom menu's actions.
void zoomIn();
void zoomOut();
void actualSize();
void setLevel(int percent);
QString levelTitle(int percent); // "85%"
// The level (percent) the stored factor equals; -1 when it is none of them.
int currentLevel();

// Applies the stored factor to KVScale now and after every later write of the
// key through Prefs, whoever writes it. Safe to call more than once.
void bindScale();

} // namespace KVZoom
