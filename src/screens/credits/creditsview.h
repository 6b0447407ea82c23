#pragma once

#include <QPointer>
#include <QWidget>

class AppModel;
class QBoxLayout;
class QLabel;
class ModelObserver;
class QVBoxLayout;

// The "Data & Photo Credits" screen: where the reference data comes from,
// every vehicle photo with its licence and source page, the public links the
// program points to, and the product's name and maker. Read afresh from the
// reference database whenever it changes; empty without one.
class CreditsView : public QWidget
{
    Q_OBJECT

public:
    explicit CreditsView(QWidget *parent = nullptr);
    explicit CreditsView(AppModel &model, QWidget *parent = nullptr);

    // The photo rows shown, and how many of them have a thumbnail.
    int photoRowCount() const { return m_photoRows; }
    int thumbnailCount() const { return m_thumbnails; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    // Narrow, the photo rows put the thumbnail above the text and the one-line
    // texts wrap.
    void fitWidth();
    QWidget *sourcesPanel();
    QWidget *photosPanel();
    QWidget *linksPanel();
    QWidget *footerPanel();

    AppModel &m_model;
    ModelObserver *m_observer;
    QVBoxLayout *m_box;
    QWidget *m_page = nullptr;
    int m_photoRows = 0;
    int m_thumbnails = 0;
    QList<QPointer<QBoxLayout>> m_photoLines;
    QList<QPointer<QLabel>> m_oneLine;
};
