#pragma once
// Tmetin_ara: the text search dialog, created once at start-up and shown
// modally from the Edit menu and the standard bar.

#include <QDialog>

namespace kelmora {

class Tmetin_ara : public QDialog {
    Q_OBJECT
public:
    explicit Tmetin_ara(QWidget *parent = nullptr);
};

// Program-wide reference, set at start-up.
extern Tmetin_ara *metin_ara;

} // namespace kelmora
