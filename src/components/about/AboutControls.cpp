#include "AboutControls.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace kelmora::about {

namespace {

void drawBevel(QPainter &p, QRect &r, BevelPanel::Bevel bevel, int width, const QPalette &pal)
{
    if (bevel == BevelPanel::Bevel::None)
        return;
    const QColor light = pal.color(QPalette::Light);
    const QColor dark = pal.color(QPalette::Dark);
    const QColor topLeft = bevel == BevelPanel::Bevel::Raised ? light : dark;
    const QColor bottomRight = bevel == BevelPanel::Bevel::Raised ? dark : light;
    for (int i = 0; i < width; ++i) {
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

} // namespace

BevelPanel::BevelPanel(QWidget *parent) : QWidget(parent), m_color(palette().color(QPalette::Window))
{
    setBevels(Bevel::Raised, Bevel::None, 1);
}

void BevelPanel::setBevels(Bevel outer, Bevel inner, int bevelWidth, int borderWidth)
{
    m_outer = outer;
    m_inner = inner;
    m_bevelWidth = bevelWidth;
    m_borderWidth = borderWidth;
    const int w = frame().width();
    setContentsMargins(w, w, w, w);
    frameChanged();
    update();
}

PanelFrame BevelPanel::frame() const
{
    return {m_outer != Bevel::None, m_inner != Bevel::None, m_bevelWidth, m_borderWidth};
}

void BevelPanel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void BevelPanel::paintPanel(QPainter &p)
{
    p.fillRect(rect(), m_color);
    QRect r = rect();
    drawBevel(p, r, m_outer, m_bevelWidth, palette());
    r.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    drawBevel(p, r, m_inner, m_bevelWidth, palette());
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintPanel(p);
}

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

bool PictureBox::isClickable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&PictureBox::clicked));
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    if (m_stretch) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), m_picture);
    } else {
        p.drawImage(0, 0, m_picture);
    }
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::TabFocus);
    // Texts are shown as they are: no rich text, no mnemonics.
    setTextFormat(Qt::PlainText);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
}

BevelLine::BevelLine(QWidget *parent) : QWidget(parent)
{
}

void BevelLine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(QRect(0, height() - 2, width(), 1), palette().color(QPalette::Dark));
    p.fillRect(QRect(0, height() - 1, width(), 1), palette().color(QPalette::Light));
}

} // namespace kelmora::about
