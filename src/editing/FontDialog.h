#pragma once
// FontDialog: the frame's font dialog (FontDialog1). It offers the desktop's
// font families with their sizes, the four combinations of bold and italic,
// the effects "Üstü çizili" and "Altı çizili", a colour list of the 16
// standard colours plus the colour it was given, and a sample line in the
// chosen font. A face or size may be typed freely: the face need not be
// installed and the size is any whole number of at least one point. It takes
// a FontChoice in and hands one out on OK; it keeps nothing itself.

#include "base/ui/Platform.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kelmora {

class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(const FontChoice &choice, QWidget *parent = nullptr);

    // What the controls show now: the font, and the colour with whether it
    // is the automatic one and whether the user picked another.
    FontChoice choice() const;

    // Shows a dialog for choice modally, placed on the active monitor; on OK
    // replaces choice with the user's and returns true.
    static bool run(QWidget *parent, FontChoice &choice);

    QLineEdit *FaceEdit = nullptr;
    QListWidget *FaceList = nullptr;
    QListWidget *StyleList = nullptr;
    QLineEdit *SizeEdit = nullptr;
    QListWidget *SizeList = nullptr;
    QCheckBox *StrikeOutBox = nullptr;
    QCheckBox *UnderlineBox = nullptr;
    QComboBox *ColourBox = nullptr;
    QLabel *Sample = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;

    void FaceEditChange(QObject *sender);
    void FaceListClick(QObject *sender);
    void SizeEditChange(QObject *sender);
    void SizeListClick(QObject *sender);
    void EffectsChange(QObject *sender);

protected:
    // Up and Down in the face and size boxes move through their lists.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void layOut();
    void wireControls();
    void fillColours(const FontChoice &choice);
    void fillSizes();
    void showChoice(const FontChoice &choice);
    void updateSample();

    int m_initialColour = 0;
    int m_automaticColour = -1; // the list's entry for the automatic colour, if any
};

} // namespace kelmora
