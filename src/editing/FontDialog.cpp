#include "FontDialog.h"

#include "base/ui/DialogLook.h"
#include "base/ui/DialogPlacement.h"
#include "base/ui/Wiring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace kelmora {

namespace {

struct NamedColour {
    QRgb rgb;
    const char16_t *name;
};

// The 16 standard colours, in the order the desktop's font dialogs list them.
constexpr std::array<NamedColour, 16> kStandardColours{{
    {0x000000, u"Siyah"},     {0x800000, u"Bordo"},     {0x008000, u"Yeşil"},      {0x808000, u"Zeytin Yeşili"},
    {0x000080, u"Lacivert"},  {0x800080, u"Mor"},       {0x008080, u"Deniz Mavisi"}, {0x808080, u"Gri"},
    {0xc0c0c0, u"Gümüş"},     {0xff0000, u"Kırmızı"},   {0x00ff00, u"Açık Yeşil"}, {0xffff00, u"Sarı"},
    {0x0000ff, u"Mavi"},      {0xff00ff, u"Fuşya"},     {0x00ffff, u"Su Mavisi"},  {0xffffff, u"Beyaz"},
}};

// The style list: the four combinations of bold and italic, in this order.
constexpr std::array<const char16_t *, 4> kStyles{u"Normal", u"İtalik", u"Kalın", u"Kalın İtalik"};
constexpr int kItalicRow = 1;
constexpr int kBoldRow = 2;

const QString kSampleText = QStringLiteral("AaBbĞğŞşİıÇç");

QIcon swatch(const QColor &colour)
{
    QPixmap p(24, 12);
    p.fill(colour);
    QPainter painter(&p);
    painter.setPen(Qt::gray);
    painter.drawRect(p.rect().adjusted(0, 0, -1, -1));
    return QIcon(p);
}

QStringList screenFamilies()
{
    QStringList out;
    for (const QString &family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family))
            out.append(family);
    }
    out.removeDuplicates();
    std::sort(out.begin(), out.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return out;
}

QListWidget *namedList(const QString &name, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setUniformItemSizes(true);
    return list;
}

// The first item that begins with text, without regard to case, or nullptr.
QListWidgetItem *firstBeginningWith(QListWidget *list, const QString &text)
{
    if (text.isEmpty())
        return nullptr;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().startsWith(text, Qt::CaseInsensitive))
            return list->item(i);
    }
    return nullptr;
}

// Marks item in list without running the list's handler.
void markItem(QListWidget *list, QListWidgetItem *item)
{
    const QSignalBlocker block(list);
    list->setCurrentItem(item);
    if (item)
        list->scrollToItem(item, QAbstractItemView::PositionAtTop);
    else
        list->clearSelection();
}

} // namespace

FontDialog::FontDialog(const FontChoice &choice, QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(QStringLiteral("Yazı Tipi"));
    buildControls();
    layOut();
    fillColours(choice);
    showChoice(choice);
    wireControls();
}

void FontDialog::buildControls()
{
    FaceEdit = new QLineEdit(this);
    FaceEdit->setObjectName(QStringLiteral("FaceEdit"));
    FaceList = namedList(QStringLiteral("FaceList"), this);
    FaceList->addItems(screenFamilies());
    StyleList = namedList(QStringLiteral("StyleList"), this);
    for (const char16_t *style : kStyles)
        StyleList->addItem(QString::fromUtf16(style));
    SizeEdit = new QLineEdit(this);
    SizeEdit->setObjectName(QStringLiteral("SizeEdit"));
    SizeEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), SizeEdit));
    SizeList = namedList(QStringLiteral("SizeList"), this);
    // A list takes no name from a label; these are the captions above them.
    FaceList->setAccessibleName(QStringLiteral("Yazı tipi"));
    StyleList->setAccessibleName(QStringLiteral("Yazı tipi stili"));
    SizeList->setAccessibleName(QStringLiteral("Boyut"));
    StrikeOutBox = new QCheckBox(QStringLiteral("Üs&tü çizili"), this);
    StrikeOutBox->setObjectName(QStringLiteral("StrikeOutBox"));
    UnderlineBox = new QCheckBox(QStringLiteral("&Altı çizili"), this);
    UnderlineBox->setObjectName(QStringLiteral("UnderlineBox"));
    ColourBox = new QComboBox(this);
    ColourBox->setObjectName(QStringLiteral("ColourBox"));
    Sample = new QLabel(kSampleText, this);
    Sample->setObjectName(QStringLiteral("Sample"));
    Sample->setAlignment(Qt::AlignCenter);
    Sample->setFixedSize(220, 60);
    // On the editor's ground, so the automatic colour shows as in the document.
    Sample->setAutoFillBackground(true);
    QPalette p = Sample->palette();
    p.setColor(QPalette::Window, p.color(QPalette::Base));
    Sample->setPalette(p);
    OkButton = new QPushButton(QStringLiteral("Tamam"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("İptal"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
}

void FontDialog::layOut()
{
    auto *grid = new QGridLayout;
    const auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(QStringLiteral("&Yazı tipi:"), FaceEdit), 0, 0);
    grid->addWidget(label(QStringLiteral("Yazı tipi st&ili:"), StyleList), 0, 1);
    grid->addWidget(label(QStringLiteral("&Boyut:"), SizeEdit), 0, 2);
    grid->addWidget(FaceEdit, 1, 0);
    grid->addWidget(SizeEdit, 1, 2);
    grid->addWidget(FaceList, 2, 0);
    grid->addWidget(StyleList, 1, 1, 2, 1);
    grid->addWidget(SizeList, 2, 2);
    grid->setColumnMinimumWidth(0, 200);
    grid->setColumnMinimumWidth(1, 120);
    grid->setColumnMinimumWidth(2, 60);

    auto *effects = new QGroupBox(QStringLiteral("Efektler"), this);
    auto *effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(StrikeOutBox);
    effectsLayout->addWidget(UnderlineBox);
    effectsLayout->addWidget(label(QStringLiteral("&Renk:"), ColourBox));
    effectsLayout->addWidget(ColourBox);
    auto *sample = new QGroupBox(QStringLiteral("Örnek"), this);
    auto *sampleLayout = new QVBoxLayout(sample);
    sampleLayout->addWidget(Sample);
    grid->addWidget(effects, 3, 0);
    grid->addWidget(sample, 3, 1, 1, 2);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(OkButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(CancelButton, QDialogButtonBox::RejectRole);
    auto *outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->addLayout(grid);
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void FontDialog::wireControls()
{
    wire(this, FaceEdit, &QLineEdit::textEdited, &FontDialog::FaceEditChange);
    wire(this, FaceList, &QListWidget::currentItemChanged, &FontDialog::FaceListClick);
    wire(this, SizeEdit, &QLineEdit::textEdited, &FontDialog::SizeEditChange);
    wire(this, SizeList, &QListWidget::currentItemChanged, &FontDialog::SizeListClick);
    wire(this, StyleList, &QListWidget::currentRowChanged, &FontDialog::EffectsChange);
    wire(this, StrikeOutBox, &QCheckBox::toggled, &FontDialog::EffectsChange);
    wire(this, UnderlineBox, &QCheckBox::toggled, &FontDialog::EffectsChange);
    wire(this, ColourBox, &QComboBox::currentIndexChanged, &FontDialog::EffectsChange);
    FaceEdit->installEventFilter(this);
    SizeEdit->installEventFilter(this);
}

void FontDialog::fillColours(const FontChoice &choice)
{
    for (const NamedColour &c : kStandardColours)
        ColourBox->addItem(swatch(QColor(c.rgb)), QString::fromUtf16(c.name), QColor(c.rgb));
    const QColor given = choice.colour.isValid() ? choice.colour : QColor(Qt::black);
    int index = -1;
    if (choice.automaticColour) {
        // Shown in the colour the desktop gives it, but kept as automatic.
        ColourBox->addItem(swatch(given), QStringLiteral("Otomatik"), given);
        index = m_automaticColour = ColourBox->count() - 1;
    } else {
        index = ColourBox->findData(QColor(given.rgb()));
        if (index < 0) {
            ColourBox->addItem(swatch(given), QStringLiteral("Özel"), QColor(given.rgb()));
            index = ColourBox->count() - 1;
        }
    }
    ColourBox->setCurrentIndex(index);
    m_initialColour = index;
}

void FontDialog::showChoice(const FontChoice &choice)
{
    const QFont &f = choice.font;
    FaceEdit->setText(f.family());
    const QList<QListWidgetItem *> same = FaceList->findItems(f.family(), Qt::MatchFixedString);
    markItem(FaceList, same.isEmpty() ? nullptr : same.constFirst());
    StyleList->setCurrentRow((f.bold() ? kBoldRow : 0) + (f.italic() ? kItalicRow : 0));
    fillSizes();
    SizeEdit->setText(f.pointSize() > 0 ? QString::number(f.pointSize()) : QString());
    SizeEditChange(SizeEdit);
    StrikeOutBox->setChecked(f.strikeOut());
    UnderlineBox->setChecked(f.underline());
    updateSample();
}

void FontDialog::fillSizes()
{
    const QString family = FaceEdit->text();
    QList<int> sizes = QFontDatabase::isSmoothlyScalable(family) ? QFontDatabase::standardSizes()
                                                                 : QFontDatabase::pointSizes(family);
    if (sizes.isEmpty())
        sizes = QFontDatabase::standardSizes();
    const QSignalBlocker block(SizeList);
    SizeList->clear();
    for (const int size : sizes)
        SizeList->addItem(QString::number(size));
    const QList<QListWidgetItem *> same = SizeList->findItems(SizeEdit->text(), Qt::MatchExactly);
    markItem(SizeList, same.isEmpty() ? nullptr : same.constFirst());
}

FontChoice FontDialog::choice() const
{
    FontChoice c;
    c.font.setFamilies(QStringList{FaceEdit->text()});
    const int size = SizeEdit->text().toInt();
    if (size > 0)
        c.font.setPointSize(size);
    const int style = qMax(0, StyleList->currentRow());
    c.font.setBold(style >= kBoldRow);
    c.font.setItalic(style % 2 == kItalicRow);
    c.font.setStrikeOut(StrikeOutBox->isChecked());
    c.font.setUnderline(UnderlineBox->isChecked());
    c.colour = ColourBox->currentData().value<QColor>();
    c.automaticColour = ColourBox->currentIndex() == m_automaticColour;
    c.colourChanged = ColourBox->currentIndex() != m_initialColour;
    return c;
}

bool FontDialog::run(QWidget *parent, FontChoice &choice)
{
    FontDialog dialog(choice, parent);
    placeOnActiveMonitor(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.choice();
    return true;
}

void FontDialog::FaceEditChange(QObject *)
{
    // Typing points the list at the first face it begins; the text stays as typed.
    markItem(FaceList, firstBeginningWith(FaceList, FaceEdit->text()));
    fillSizes();
    updateSample();
}

void FontDialog::FaceListClick(QObject *)
{
    if (QListWidgetItem *item = FaceList->currentItem())
        FaceEdit->setText(item->text());
    fillSizes();
    updateSample();
}

void FontDialog::SizeEditChange(QObject *)
{
    const QList<QListWidgetItem *> same = SizeList->findItems(SizeEdit->text(), Qt::MatchExactly);
    markItem(SizeList, same.isEmpty() ? nullptr : same.constFirst());
    OkButton->setEnabled(SizeEdit->text().toInt() > 0);
    updateSample();
}

void FontDialog::SizeListClick(QObject *)
{
    if (QListWidgetItem *item = SizeList->currentItem())
        SizeEdit->setText(item->text());
    OkButton->setEnabled(SizeEdit->text().toInt() > 0);
    updateSample();
}

void FontDialog::EffectsChange(QObject *)
{
    updateSample();
}

void FontDialog::updateSample()
{
    const FontChoice c = choice();
    QFont f = c.font;
    // The sample box is small; larger sizes are shown at the size it holds.
    f.setPointSize(qBound(1, SizeEdit->text().toInt(), 28));
    Sample->setFont(f);
    setTextColour(Sample, c.colour);
}

bool FontDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == FaceEdit || watched == SizeEdit)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QListWidget *list = watched == FaceEdit ? FaceList : SizeList;
            const int step = (key == Qt::Key_Up || key == Qt::Key_PageUp) ? -1 : 1;
            const int pages = (key == Qt::Key_PageUp || key == Qt::Key_PageDown) ? 10 : 1;
            const int row = qBound(0, list->currentRow() + step * pages, list->count() - 1);
            list->setCurrentRow(row);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kelmora
