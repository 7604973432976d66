#include "prgf_ayari.h"

namespace kelmora {

Tparagraf_ayari *paragraf_ayari = nullptr;

Tparagraf_ayari::Tparagraf_ayari(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("paragraf_ayari"));
    setWindowTitle(QStringLiteral("Paragraf Ayarları"));
    setFixedSize(186, 226);
}

} // namespace kelmora
