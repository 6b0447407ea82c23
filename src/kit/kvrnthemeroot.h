#pragma once

#include <QWidget>
#include <functional>

class QPainter;

// The root of a themed window: paints the backdrop, hands the theme's colours
// to everything inside as its widget palette, and builds its content anew
// whenever the stored theme id (the setting "kvrn.theme", or the default id
// of the moment the root was made) changes, so every view below reads the
// palette again with fresh state. It also hands down the rounded body font
// (13 points, following the interface zoom).
class KVRNThemeRoot : public QWidget
{
    Q_OBJECT

public:
    using Builder = std::function<QWidget *()>;
    // Makes the content as a child of the root, so a large tree is not
    // moved (and told of a font change, and measured anew) once built.
    using RootBuilder = std::function<QWidget *(QWidget *root)>;
    // Points of the rounded body font the root hands down.
    static constexpr double kBodySize = 13;

    explicit KVRNThemeRoot(Builder build, QWidget *parent = nullptr);

    // The current content, made by the builder.
    QWidget *content() const { return m_content; }
    // The id the root is keyed on: the stored text, or the default id it was made with.
    QString themeID() const { return m_themeID; }

protected:
    using BackgroundPainter = std::function<void(QPainter &, const QRectF &)>;
    using TintSource = std::function<QColor()>;
    // For application roots with their own backdrop and control tint.
    KVRNThemeRoot(Builder build, BackgroundPainter background, TintSource tint, QWidget *parent);
    KVRNThemeRoot(RootBuilder build, BackgroundPainter background, TintSource tint, QWidget *parent);

    void paintEvent(QPaintEvent *event) override;

private:
    void settingChanged(const QString &key);
    QString boundID() const;
    void rebuild();

    RootBuilder m_build;
    BackgroundPainter m_background;
    TintSource m_tint;
    QString m_default;
    QString m_themeID;
    QWidget *m_content = nullptr;
};
