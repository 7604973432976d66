#pragma once
// How the program's own dialogs look, shared so that each is written once:
// the fixed-size frame with only the close box, the font of the search and
// paragraph dialogs, and a label's text colour.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QWidget>

namespace kelmora {

// A fixed-size dialog frame with only the close box: window managers show no
// minimize or maximize buttons on it (they would also squeeze its title).
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                     Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::WindowCloseButtonHint;

// Arial at 11 pixels: the search and the paragraph dialog.
inline QFont dialogFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    return f;
}

// The colour a label (or any widget drawing with WindowText) writes in.
inline void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace kelmora
