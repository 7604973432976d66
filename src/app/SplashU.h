#pragma once
// TSplashF: the borderless splash shown while the program starts: the splash
// picture (white is see-through), the product and version labels and a
// three-step gauge.

#include <QLabel>
#include <QWidget>

namespace kelmora {

// A horizontal gauge without border or percentage text.
class TGauge : public QWidget {
    Q_OBJECT
public:
    explicit TGauge(QWidget *parent = nullptr);
    int MaxValue = 3;
    int Progress() const { return m_progress; }
    void AddProgress(int by);
    // Width in pixels of the filled part.
    int filledWidth() const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_progress = 0;
};

// A label that draws its text over a black shadow one pixel to the right and down.
class ShadowLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override;
};

class TSplashF : public QWidget {
    Q_OBJECT
public:
    explicit TSplashF(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    ShadowLabel *LabelPrg = nullptr;
    QLabel *LabelSrm = nullptr;
    TGauge *Gauge1 = nullptr;

    void FormCreate(QObject *sender);
    // Sizes the version label to its text with its right edge at x = 416.
    void placeVersionLabel();
    // Advances the gauge by one and repaints at once.
    void step();
};

// Program-wide reference while the splash exists.
extern TSplashF *SplashF;

} // namespace kelmora
