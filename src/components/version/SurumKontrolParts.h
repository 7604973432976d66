#pragma once
// Small pieces of the version-check dialog: its fonts, the title strip's
// shadowed caption and the picture buttons.

#include <QFont>
#include <QLabel>
#include <QString>

class QRect;
class QPushButton;

namespace kelmora::surumkontrol {

// "MS Sans Serif" where it exists, else the Arial-sized face the program ships
// with; `pixels` is the character height.
QFont sansSerif(int pixels, bool bold = false);
// Arial (or its metric twin) of `pixels` height.
QFont arial(int pixels, bool bold);

// A transparent caption drawn with a one-pixel highlight shadow above and to
// the left of the text, so it stays readable over a picture.
class ShadowLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *e) override;
};

// A picture button as the dialog uses it: never takes the focus, hand cursor,
// bold caption (an & marks its key) centred with its glyph, tooltip `hint`, and the glyph
// ":/version/<glyph>.png" with its "-disabled" twin for the disabled state.
// Its key (Alt and the marked letter) works only while the button can be
// seen: not under the wait panel, not behind the other button panel.
QPushButton *makeSpeedButton(QWidget *parent, const char *name, const QString &caption, const QString &hint,
                             const QString &glyph, const QRect &geometry);

// True when nothing of its window lies over the middle of `widget`.
bool isUncovered(const QWidget *widget);

// Drops the clicks and keys the window system has queued for the program (a
// blocking exchange kept them waiting); everything else queued is handled.
void dropQueuedInput();

} // namespace kelmora::surumkontrol
