#pragma once
// The plain controls of the about box, placed by absolute geometry like the
// rest of the dialog: a panel with bevels, a picture, a clickable label and
// a separator line.

#include "ScrollLayout.h"

#include <QImage>
#include <QLabel>
#include <QWidget>

class QPainter;

namespace kelmora::about {

// A panel: its background colour with an optional raised or lowered outer
// and inner bevel and a border between them. Children keep the geometry they
// are given; contentsRect() is the area inside the frame.
class BevelPanel : public QWidget {
    Q_OBJECT
public:
    enum class Bevel { None, Raised, Lowered };

    explicit BevelPanel(QWidget *parent = nullptr);

    void setBevels(Bevel outer, Bevel inner, int bevelWidth, int borderWidth = 0);
    PanelFrame frame() const;
    QColor color() const { return m_color; }
    void setColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;
    // Draws the background and the bevels; subclasses paint on top.
    void paintPanel(QPainter &painter);
    virtual void frameChanged() {}

private:
    Bevel m_outer = Bevel::Raised;
    Bevel m_inner = Bevel::None;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    QColor m_color;
};

// A picture: drawn at its natural size from the top left, or stretched over
// the whole control; a picture with an alpha channel lets the parent show
// through. A press and release of the left button within it is a click.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);
    // True when something listens to its clicks: then it acts as a button.
    bool isClickable() const;
    // A click from elsewhere than the mouse (a screen reader's press).
    void click() { Q_EMIT clicked(); }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    bool m_stretch = false;
    bool m_pressed = false;
};

// A label whose left-button click is reported. Tab reaches it (a click does
// not move the focus) and Enter or Space there is a click; other keys go on
// to the window.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

    void click() { Q_EMIT clicked(); }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_pressed = false;
};

// A lowered line along the bottom edge of its rectangle.
class BevelLine : public QWidget {
    Q_OBJECT
public:
    explicit BevelLine(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kelmora::about
