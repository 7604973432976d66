#include "SurumKontrolParts.h"

#include <QIcon>
#include <QPainter>
#include <QRect>
#include <QPushButton>

namespace kelmora::surumkontrol {

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
    return b;
}

} // namespace kelmora::surumkontrol
