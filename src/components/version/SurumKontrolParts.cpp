#include "SurumKontrolParts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QRect>
#include <QPushButton>

namespace kelmora::surumkontrol {

namespace {

// Lets a button's key through only while the button can be seen.
class UncoveredKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        return e->type() == QEvent::Shortcut && !isUncovered(static_cast<QWidget *>(watched));
    }
};

// Swallows input while it is installed on the application.
class InputSwallower : public QObject {
protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::ShortcutOverride:
            e->accept(); // taken: no shortcut fires for the key either
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        default:
            return false; // moves keep the pointer's place known; paints, timers and the rest go on
        }
    }
};

} // namespace

bool isUncovered(const QWidget *widget)
{
    const QWidget *top = widget->window();
    const QWidget *at = top->childAt(widget->mapTo(top, widget->rect().center()));
    return at && (at == widget || widget->isAncestorOf(at));
}

void dropQueuedInput()
{
    InputSwallower swallower;
    QCoreApplication::instance()->installEventFilter(&swallower);
    // Handles what is queued, waits for everything the window system has
    // sent so far and handles that too.
    QGuiApplication::sync();
    QCoreApplication::instance()->removeEventFilter(&swallower);
}

QFont sansSerif(int pixels, bool bold)
{
    QFont f;
    // Qt takes the first family it has; DejaVu, which fontconfig would pick
    // for the missing one, is too wide for the caption boxes.
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QFont arial(int pixels, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void ShadowLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    const QRect area = contentsRect();
    p.setPen(palette().color(QPalette::Light));
    p.drawText(area.translated(-1, -1), int(alignment()), text());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(area, int(alignment()), text());
}

QPushButton *makeSpeedButton(QWidget *parent, const char *name, const QString &caption, const QString &hint,
                             const QString &glyph, const QRect &geometry)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    // Neither Enter nor the focus ever makes it the dialog's default button.
    b->setAutoDefault(false);
    b->setFont(sansSerif(11, true));
    QIcon icon;
    icon.addFile(QStringLiteral(":/version/%1.png").arg(glyph), QSize(16, 16), QIcon::Normal);
    icon.addFile(QStringLiteral(":/version/%1-disabled.png").arg(glyph), QSize(16, 16), QIcon::Disabled);
    b->setIcon(icon);
    b->setIconSize(QSize(16, 16));
    b->setGeometry(geometry);
    b->installEventFilter(new UncoveredKey(b));
    return b;
}

} // namespace kelmora::surumkontrol
