#pragma once

#include <QMainWindow>

class AppModel;
class BackStep;
class KVZoomHost;
class MainWindow;
class NetStatus;

// The application's one window: titled with the application's name, 1440 by
// 920 when first opened (less on a smaller screen), then at the size and place
// it last had; never smaller than 900 by 600; with the menu bar
// and, inside the theme root and the zoom host, the main window's content.
class MainWindowFrame : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindowFrame(AppModel &m, NetStatus &net, QWidget *parent = nullptr);
    // The shared model and network status.
    explicit MainWindowFrame(QWidget *parent = nullptr);

    // The current content (made anew when the theme changes).
    KVZoomHost *zoomHost() const;
    MainWindow *content() const;

    static QSize defaultSize() { return {1440, 920}; }
    static QSize minimumWindowSize() { return {900, 600}; }
    // None of its own: the content fits any window size (the sidebar and the
    // screen area scroll inside it), so the header and sidebar stay in place.
    static QSizeF minimumContentSize() { return {0, 0}; }
    // Where the window's last size and place are kept.
    static QString geometryKey();
    // The content's size once the window is laid out at its current size
    // (known before the first show).
    QSize centralSize() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyThemePalette();
    void restoreSize();

    QWidget *m_root;
    BackStep *m_back = nullptr;
    bool m_painted = false;
};
