#include "metinara.h"

namespace kelmora {

Tmetin_ara *metin_ara = nullptr;

Tmetin_ara::Tmetin_ara(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("metin_ara"));
    setWindowTitle(QStringLiteral("Metin Ara"));
    setFixedSize(234, 104);
}

} // namespace kelmora
