#pragma once
// Tparagraf_ayari: the paragraph settings dialog, created once at start-up
// and shown modally from the Format menu and the document context menu.

#include <QDialog>

namespace kelmora {

class Tparagraf_ayari : public QDialog {
    Q_OBJECT
public:
    explicit Tparagraf_ayari(QWidget *parent = nullptr);
};

// Program-wide reference, set at start-up.
extern Tparagraf_ayari *paragraf_ayari;

} // namespace kelmora
