#pragma once

#include <QByteArray>
#include <QString>

// Font set-up started early on worker threads: fontconfig's configuration and
// font list (which needs no application object), then Qt's font database
// (which does), made while the application starts and the data opens. The
// icon face is read from its TrueType file where one is installed, not from
// the compressed web font of the same face, which takes a decompression on
// every start.
namespace KVFontWarmup {

// Starts fontconfig's part; later calls do nothing. Nothing may measure or
// draw text from here until finish() has returned.
void startFontconfig();

// Starts fontconfig's part if not started, then Qt's font database after it.
// Does nothing without a GUI application object, or when called again.
void start();

// Waits for whatever was started.
void finish();

// The fontconfig rules that leave out the web-font copies of the icon face
// when its TrueType file `ttfPath` is installed: empty when it is not.
QByteArray iconFaceRules(const QString &ttfPath);

} // namespace KVFontWarmup
