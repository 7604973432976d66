// The frame's layout: actions, menus, bars, context menus and dialogs, each
// control wired to its handler. Nothing here decides anything.

#include "Main.h"

#include "base/ui/Guard.h"
#include "base/ui/Wiring.h"
#include "Hints.h"
#include "base/Identity.h"
#include "ImageList.h"
#include "PushLookButton.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace kelmora {

namespace {

QAction *makeAction(QObject *owner, const char *name, const QString &caption, const QString &hint, int image,
                    const QKeySequence &keys = {})
{
    auto *a = new QAction(caption, owner);
    a->setObjectName(QLatin1String(name));
    setHint(a, hint);
    a->setProperty(kImageIndexProperty, image);
    if (image >= 0)
        a->setIcon(imageListIcon(image));
    a->setShortcut(keys);
    return a;
}

// A menu item; its shortcut is shown, the frame's key filter does the work.
QAction *makeItem(QMenu *menu, const char *name, const QString &caption, const QString &hint, int image,
                  const QKeySequence &keys = {})
{
    QAction *a = makeAction(menu, name, caption, hint, image, keys);
    a->setShortcutContext(Qt::WidgetShortcut);
    a->setIconVisibleInMenu(image >= 0);
    menu->addAction(a);
    return a;
}

// Links an item or button to an action: it follows the action's enabled state
// and runs the action; the item's own caption and hint stay.
void linkTo(QAction *item, QAction *action)
{
    item->setEnabled(action->isEnabled());
    QObject::connect(action, &QAction::changed, item, [item, action] { item->setEnabled(action->isEnabled()); });
    QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
}

void linkTo(QToolButton *button, QAction *action)
{
    button->setEnabled(action->isEnabled());
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setEnabled(action->isEnabled()); });
    QObject::connect(button, &QToolButton::clicked, action, [action] { action->trigger(); });
}

QToolButton *makeButton(QToolBar *bar, const char *name, int image, const QString &hint,
                        QToolButton *button = nullptr)
{
    if (!button)
        button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setIcon(imageListIcon(image));
    button->setProperty(kImageIndexProperty, image);
    button->setAutoRaise(true);
    // Tab reaches it (F6 leads from the document to the bars); a click leaves
    // the focus where it was.
    button->setFocusPolicy(Qt::TabFocus);
    // A picture button is named by its hint.
    button->setAccessibleName(shortHint(hint));
    setHint(button, hint);
    bar->addWidget(button);
    return button;
}

// An editable box is named for screen readers on its text field too: that
// is the part that takes the focus and the typing.
void nameBox(QComboBox *box, const QString &name)
{
    box->setAccessibleName(name);
    box->lineEdit()->setAccessibleName(name);
}

// The button Qt shows at a bar's end when the window is too narrow for it.
void nameOverflowButton(QToolBar *bar)
{
    if (auto *more = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("Diğer Düğmeler"));
}

void addGap(QToolBar *bar, const char *name)
{
    // An 8-pixel separator, as named on the form.
    auto *gap = new QWidget(bar);
    gap->setObjectName(QLatin1String(name));
    gap->setFixedWidth(8);
    bar->addWidget(gap);
}

} // namespace

void TAna::buildActions()
{
    // ActionList1. Never shown directly: menu items and buttons link to them.
    FileNew1 = makeAction(this, "FileNew1", QStringLiteral("&New"), QStringLiteral("New|Create a new file"), 6,
                          QKeySequence(Qt::CTRL | Qt::Key_N));
    FileOpen1 = makeAction(this, "FileOpen1", QStringLiteral("&Open"), QStringLiteral("Open|Open a file"), 7,
                           QKeySequence(Qt::CTRL | Qt::Key_O));
    FileClose1 = makeAction(this, "FileClose1", QStringLiteral("&Close"), QStringLiteral("Close|Close current file"),
                            -1, QKeySequence(Qt::CTRL | Qt::Key_W));
    FileExit1 = makeAction(this, "FileExit1", QStringLiteral("E&xit"), QStringLiteral("Exit|Exit application"), -1);
    EditCut1 = makeAction(this, "EditCut1", QStringLiteral("Cu&t"),
                          QStringLiteral("Cut|Cuts the selection and puts it on the Clipboard"), 0,
                          QKeySequence(Qt::CTRL | Qt::Key_X));
    EditCopy1 = makeAction(this, "EditCopy1", QStringLiteral("&Copy"),
                           QStringLiteral("Copy|Copies the selection and puts it on the Clipboard"), 1,
                           QKeySequence(Qt::CTRL | Qt::Key_C));
    EditPaste1 = makeAction(this, "EditPaste1", QStringLiteral("&Paste"),
                            QStringLiteral("Paste|Inserts Clipboard contents"), 2, QKeySequence(Qt::CTRL | Qt::Key_V));
    WindowCascade1 = makeAction(this, "WindowCascade1", QStringLiteral("&Cascade"), QStringLiteral("Cascade"), 17);
    WindowTileHorizontal1 = makeAction(this, "WindowTileHorizontal1", QStringLiteral("Tile &Horizontally"),
                                       QStringLiteral("Tile Horizontally"), 15);
    WindowTileVertical1 = makeAction(this, "WindowTileVertical1", QStringLiteral("Tile &Vertically"),
                                     QStringLiteral("Tile Vertically"), 16);
    WindowMinimizeAll1 = makeAction(this, "WindowMinimizeAll1", QStringLiteral("&Minimize All"),
                                    QStringLiteral("Minimize All"), -1);

    wire(this, FileNew1, &QAction::triggered, &TAna::FileNew1Execute);
    wire(this, FileOpen1, &QAction::triggered, &TAna::FileOpen1Execute);
    wire(this, FileClose1, &QAction::triggered, &TAna::FileClose1Execute);
    wire(this, FileExit1, &QAction::triggered, &TAna::FileExit1Execute);
    wire(this, WindowCascade1, &QAction::triggered, &TAna::WindowCascade1Execute);
    wire(this, WindowTileHorizontal1, &QAction::triggered, &TAna::WindowTileHorizontal1Execute);
    wire(this, WindowTileVertical1, &QAction::triggered, &TAna::WindowTileVertical1Execute);
    wire(this, WindowMinimizeAll1, &QAction::triggered, &TAna::WindowMinimizeAll1Execute);
    wire(this, EditCut1, &QAction::triggered, &TAna::EditCut1Execute);
    wire(this, EditCopy1, &QAction::triggered, &TAna::EditCopy1Execute);
    wire(this, EditPaste1, &QAction::triggered, &TAna::EditPaste1Execute);
}

void TAna::buildFileMenu()
{
    File1 = menuBar()->addMenu(QStringLiteral("&Dosya"));
    File1->setObjectName(QStringLiteral("File1"));
    setHint(File1->menuAction(), QStringLiteral("File related commands"));
    FileNewItem = makeItem(File1, "FileNewItem", QStringLiteral("&Yeni"), QStringLiteral("Yeni Dosya "), 6,
                           FileNew1->shortcut());
    linkTo(FileNewItem, FileNew1);
    FileOpenItem = makeItem(File1, "FileOpenItem", QStringLiteral("&Aç"), QStringLiteral("Dosya Aç"), 7,
                            FileOpen1->shortcut());
    linkTo(FileOpenItem, FileOpen1);
    FileCloseItem = makeItem(File1, "FileCloseItem", QStringLiteral("&Kapat"), QStringLiteral("Aktif Pencereyi Kapat"),
                             -1, FileClose1->shortcut());
    linkTo(FileCloseItem, FileClose1);
    FileSaveItem = makeItem(File1, "FileSaveItem", QStringLiteral("Kay&det"), QStringLiteral("Aktif Pencereyi Kaydet"),
                            8, QKeySequence(Qt::CTRL | Qt::Key_S));
    wire(this, FileSaveItem, &QAction::triggered, &TAna::FileSaveItemClick);
    FileSaveAsItem = makeItem(File1, "FileSaveAsItem", QStringLiteral("&Farklı Kaydet"),
                              QStringLiteral("Aktif Pencereyi Farklı Kaydet"), -1);
    wire(this, FileSaveAsItem, &QAction::triggered, &TAna::FileSaveAsItemClick);
    yazdir = makeItem(File1, "yazdir", QStringLiteral("Ya&zdır"), QString(), 14);
    wire(this, yazdir, &QAction::triggered, &TAna::yazdirClick);
    File1->addSeparator();
    FileExitItem = makeItem(File1, "FileExitItem", QStringLiteral("&Çıkış"), QStringLiteral("Programdan Çıkış"), -1);
    linkTo(FileExitItem, FileExit1);
}

void TAna::buildEditMenu()
{
    Edit1 = menuBar()->addMenu(QStringLiteral("Dü&zen"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    setHint(Edit1->menuAction(), QStringLiteral("Edit commands"));
    GeriAl1 = makeItem(Edit1, "GeriAl1", QStringLiteral("&Geri Al"), QString(), 3, QKeySequence(Qt::CTRL | Qt::Key_Z));
    wire(this, GeriAl1, &QAction::triggered, &TAna::GeriAl1Click);
    Edit1->addSeparator();
    // The clipboard items keep their actions' hints.
    CutItem = makeItem(Edit1, "CutItem", QStringLiteral("&Kes"), hintOf(EditCut1), 0, EditCut1->shortcut());
    linkTo(CutItem, EditCut1);
    CopyItem = makeItem(Edit1, "CopyItem", QStringLiteral("K&opyala"), hintOf(EditCopy1), 1, EditCopy1->shortcut());
    linkTo(CopyItem, EditCopy1);
    PasteItem =
        makeItem(Edit1, "PasteItem", QStringLiteral("&Yapıştır"), hintOf(EditPaste1), 2, EditPaste1->shortcut());
    linkTo(PasteItem, EditPaste1);
    Edit1->addSeparator();
    // Ctrl+B selects all here; bold has no shortcut.
    TmnSe1 = makeItem(Edit1, "TmnSe1", QStringLiteral("&Tümünü Seç "), QString(), -1,
                      QKeySequence(Qt::CTRL | Qt::Key_B));
    wire(this, TmnSe1, &QAction::triggered, &TAna::TmnSe1Click);
    Sil1 = makeItem(Edit1, "Sil1", QStringLiteral("&Sil"), QString(), -1);
    wire(this, Sil1, &QAction::triggered, &TAna::Sil1Click);
    MetinAra1 = makeItem(Edit1, "MetinAra1", QStringLiteral("&Metin Ara"), QString(), 18,
                         QKeySequence(Qt::CTRL | Qt::Key_F));
    wire(this, MetinAra1, &QAction::triggered, &TAna::MetinAra1Click);
}

void TAna::buildViewFormatMenus()
{
    Grnm1 = menuBar()->addMenu(QStringLiteral("&Görünüm"));
    Grnm1->setObjectName(QStringLiteral("Grnm1"));
    araccubugu = makeItem(Grnm1, "araccubugu", QStringLiteral("&Araç Çubuğu"), QString(), -1);
    bicimcubugu = makeItem(Grnm1, "bicimcubugu", QStringLiteral("&Biçim Çubuğu"), QString(), -1);
    durumcubugu = makeItem(Grnm1, "durumcubugu", QStringLiteral("&Durum Çubuğu"), QString(), -1);
    for (QAction *a : {araccubugu, bicimcubugu, durumcubugu}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    // The handlers decide the tick themselves: undo Qt's own toggle first.
    wireTicked(this, araccubugu, &TAna::araccubuguClick);
    wireTicked(this, bicimcubugu, &TAna::bicimcubuguClick);
    wireTicked(this, durumcubugu, &TAna::durumcubuguClick);

    Biim1 = menuBar()->addMenu(QStringLiteral("&Biçim"));
    Biim1->setObjectName(QStringLiteral("Biim1"));
    Paragraf1 = makeItem(Biim1, "Paragraf1", QStringLiteral("&Paragraf"), QString(), -1);
    wire(this, Paragraf1, &QAction::triggered, &TAna::Paragraf1Click);
    Maddemi1 = makeItem(Biim1, "Maddemi1", QStringLiteral("&Madde İmi"), QString(), -1);
    Maddemi1->setCheckable(true);
    wireTicked(this, Maddemi1, &TAna::Maddemi1Click);
    YazTipi1 = makeItem(Biim1, "YazTipi1", QStringLiteral("&Yazı Tipi"), QString(), -1);
    wire(this, YazTipi1, &QAction::triggered, &TAna::YazTipi1Click);
}

void TAna::buildWindowHelpMenus()
{
    Window1 = menuBar()->addMenu(QStringLiteral("&Pencere"));
    Window1->setObjectName(QStringLiteral("Window1"));
    De1 = makeItem(Window1, "De1", QStringLiteral("&Döşe"), QStringLiteral("Pencereleri Döşe"), 17);
    linkTo(De1, WindowCascade1);
    YatayDe1 = makeItem(Window1, "YatayDe1", QStringLiteral("&Yatay Döşe"), QStringLiteral("Pencereleri Yatay Döşe"), 15);
    linkTo(YatayDe1, WindowTileHorizontal1);
    DikeyDe1 = makeItem(Window1, "DikeyDe1", QStringLiteral("&Dikey Döşe"), QStringLiteral("Pencereleri Dikey Döşe"), 16);
    linkTo(DikeyDe1, WindowTileVertical1);
    TmMiniminze1 = makeItem(Window1, "TmMiniminze1", QStringLiteral("&Tümü Miniminze"),
                            QStringLiteral("Tümünü Minimize Yap"), -1);
    linkTo(TmMiniminze1, WindowMinimizeAll1);
    connect(Window1, &QMenu::aboutToShow, this, guard([this] { fillWindowList(); }));

    Yardm1 = menuBar()->addMenu(QStringLiteral("&Yardım"));
    Yardm1->setObjectName(QStringLiteral("Yardm1"));
    Hakknda1 = makeItem(Yardm1, "Hakknda1", QStringLiteral("&Hakkında"), QString(), 28);
    wire(this, Hakknda1, &QAction::triggered, &TAna::Hakknda1Click);
    Yardm1->addSeparator();
    WebSitesi1 = makeItem(Yardm1, "WebSitesi1", QStringLiteral("&") + identity::webSite(), QString(), 29);
    wire(this, WebSitesi1, &QAction::triggered, &TAna::WebSitesi1Click);
    Yardm1->addSeparator();
    ProgramSrmnKontrolEt1 = makeItem(Yardm1, "ProgramSrmnKontrolEt1", QStringLiteral("Program Sürümünü Kontrol Et"),
                                     QString(), -1);
    wire(this, ProgramSrmnKontrolEt1, &QAction::triggered, &TAna::ProgramSrmnKontrolEt1Click);
}

void TAna::followHints(QMenu *menu)
{
    // A highlighted item puts its hint on the hint line, whether the mouse or
    // the keyboard highlighted it; a menu opened from the keyboard highlights
    // its first item once it is shown.
    connect(menu, &QMenu::hovered, this, [this](QAction *a) { setApplicationHint(longHint(hintOf(a))); });
    new MenuHighlightTracker(menu, [this](const QString &hint) { setApplicationHint(hint); });
    connect(menu, &QMenu::aboutToHide, this, [this] { setApplicationHint(QString()); });
}

void TAna::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildViewFormatMenus();
    buildWindowHelpMenus();
    // Every menu brings its self-enabling actions up to date when it opens,
    // and a highlighted item (or menu title) puts its hint on the hint line.
    const QList<QMenu *> menus{File1, Edit1, Grnm1, Biim1, Window1, Yardm1};
    for (QMenu *m : menus) {
        connect(m, &QMenu::aboutToShow, this, guard([this] { updateActions(); }));
        followHints(m);
        // An open menu is named by its title, as a screen reader announces it.
        m->setAccessibleName(QString(m->title()).remove(QLatin1Char('&')));
    }
    menuBar()->setAccessibleName(QStringLiteral("Menü Çubuğu"));
    connect(menuBar(), &QMenuBar::hovered, this, [this](QAction *a) { setApplicationHint(longHint(hintOf(a))); });
}

void TAna::buildStandardBar()
{
    ToolBar2 = new QToolBar(QStringLiteral("Araç Çubuğu"), this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setMovable(false);
    ToolBar2->setFloatable(false);
    ToolBar2->setIconSize(QSize(16, 16));
    ToolBar2->setContentsMargins(5, 0, 0, 0);
    ToolBar2->setContextMenuPolicy(Qt::CustomContextMenu);
    addToolBar(Qt::TopToolBarArea, ToolBar2);

    ToolButton9 = makeButton(ToolBar2, "ToolButton9", 6, QStringLiteral("Yeni"));
    linkTo(ToolButton9, FileNew1);
    ToolButton1 = makeButton(ToolBar2, "ToolButton1", 7, QStringLiteral("Aç"));
    linkTo(ToolButton1, FileOpen1);
    ToolButton2 = makeButton(ToolBar2, "ToolButton2", 8, QStringLiteral("Kaydet"));
    wire(this, ToolButton2, &QToolButton::clicked, &TAna::ToolButton2Click);
    addGap(ToolBar2, "ToolButton3");
    ToolButton12 = makeButton(ToolBar2, "ToolButton12", 14, QStringLiteral("Yazdır"));
    wire(this, ToolButton12, &QToolButton::clicked, &TAna::ToolButton12Click);
    addGap(ToolBar2, "ToolButton14");
    ToolButton15 = makeButton(ToolBar2, "ToolButton15", 18, QStringLiteral("Metin Ara"));
    wire(this, ToolButton15, &QToolButton::clicked, &TAna::ToolButton15Click);
    addGap(ToolBar2, "ToolButton16");
    ToolButton4 = makeButton(ToolBar2, "ToolButton4", 0, QStringLiteral("Kes"));
    linkTo(ToolButton4, EditCut1);
    ToolButton5 = makeButton(ToolBar2, "ToolButton5", 1, QStringLiteral("Kopyala"));
    linkTo(ToolButton5, EditCopy1);
    ToolButton6 = makeButton(ToolBar2, "ToolButton6", 2, QStringLiteral("Yapıştır"));
    linkTo(ToolButton6, EditPaste1);
    ToolButton17 = makeButton(ToolBar2, "ToolButton17", 3, QStringLiteral("Geri Al"));
    wire(this, ToolButton17, &QToolButton::clicked, &TAna::ToolButton17Click);
    addGap(ToolBar2, "ToolButton7");
    ToolButton8 = makeButton(ToolBar2, "ToolButton8", 17, QStringLiteral("Alt Alta Döşe"));
    linkTo(ToolButton8, WindowCascade1);
    ToolButton10 = makeButton(ToolBar2, "ToolButton10", 15, QStringLiteral("Yatay Döşe"));
    linkTo(ToolButton10, WindowTileHorizontal1);
    ToolButton11 = makeButton(ToolBar2, "ToolButton11", 16, QStringLiteral("Dikey Döşe"));
    linkTo(ToolButton11, WindowTileVertical1);
    nameOverflowButton(ToolBar2);
}

void TAna::buildFormattingBar()
{
    addToolBarBreak(Qt::TopToolBarArea);
    ToolBar1 = new QToolBar(QStringLiteral("Biçim Çubuğu"), this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setContextMenuPolicy(Qt::CustomContextMenu);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    buildFontBoxes();

    ToolButton18 = makeButton(ToolBar1, "ToolButton18", 23, QStringLiteral("Koyu"), new PushLookButton(ToolBar1));
    wire(this, ToolButton18, &QToolButton::clicked, &TAna::ToolButton18Click);
    ToolButton19 = makeButton(ToolBar1, "ToolButton19", 24, QStringLiteral("Altı Çizili"), new PushLookButton(ToolBar1));
    wire(this, ToolButton19, &QToolButton::clicked, &TAna::ToolButton19Click);
    ToolButton20 = makeButton(ToolBar1, "ToolButton20", 25, QStringLiteral("İtalic"), new PushLookButton(ToolBar1));
    wire(this, ToolButton20, &QToolButton::clicked, &TAna::ToolButton20Click);
    addGap(ToolBar1, "ToolButton21");
    ToolButton22 = makeButton(ToolBar1, "ToolButton22", 20, QStringLiteral("Sola Yasla"));
    ToolButton23 = makeButton(ToolBar1, "ToolButton23", 21, QStringLiteral("Ortala"));
    ToolButton24 = makeButton(ToolBar1, "ToolButton24", 22, QStringLiteral("Sağa Yasla"));
    alignmentGroup = new QButtonGroup(this);
    alignmentGroup->setExclusive(true);
    for (QToolButton *b : {ToolButton22, ToolButton23, ToolButton24}) {
        b->setCheckable(true);
        alignmentGroup->addButton(b);
    }
    wire(this, ToolButton22, &QToolButton::clicked, &TAna::ToolButton22Click);
    wire(this, ToolButton23, &QToolButton::clicked, &TAna::ToolButton23Click);
    wire(this, ToolButton24, &QToolButton::clicked, &TAna::ToolButton24Click);
    addGap(ToolBar1, "ToolButton25");
    ToolButton26 = makeButton(ToolBar1, "ToolButton26", 26, QStringLiteral("Yazı Rengi"));
    wire(this, ToolButton26, &QToolButton::clicked, &TAna::ToolButton26Click);
    ToolButton27 = makeButton(ToolBar1, "ToolButton27", 27, QStringLiteral("Madde İmi"));
    ToolButton27->setCheckable(true);
    wire(this, ToolButton27, &QToolButton::clicked, &TAna::ToolButton28Click);
    nameOverflowButton(ToolBar1);
}

void TAna::buildFontBoxes()
{
    ComboBox1 = new QComboBox(ToolBar1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setFixedWidth(145);
    nameBox(ComboBox1, QStringLiteral("Yazı Tipi"));
    ToolBar1->addWidget(ComboBox1);
    connect(ComboBox1, &QComboBox::editTextChanged, this, guard([this] { boxTextEdited(ComboBox1, &TAna::ComboBox1Change); }));

    ComboBox2 = new QComboBox(ToolBar1);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->setFixedWidth(48);
    for (int size = 8; size <= 50; ++size)
        ComboBox2->addItem(QString::number(size));
    setHint(ComboBox2, QStringLiteral("Yazı Büyüklüğü"));
    nameBox(ComboBox2, QStringLiteral("Yazı Büyüklüğü"));
    ToolBar1->addWidget(ComboBox2);
    connect(ComboBox2, &QComboBox::editTextChanged, this, guard([this] { boxTextEdited(ComboBox2, &TAna::ComboBox2Change); }));
    // Both boxes complete against their lists themselves (see MainBoxes.cpp);
    // the size box's two-character limit is on typing only, so the refresh
    // can show 120.
    for (QComboBox *box : {ComboBox1, ComboBox2})
        box->setCompleter(nullptr);
}

void TAna::buildStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    StatusBar1->setAccessibleName(QStringLiteral("Durum Çubuğu"));
    statusPanel0 = new QLabel(StatusBar1);
    statusPanel0->setObjectName(QStringLiteral("Panel0"));
    StatusBar1->addWidget(statusPanel0, 1);
    setStatusBar(StatusBar1);
}

void TAna::buildContextMenus()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setAccessibleName(QStringLiteral("Belge Menüsü"));
    // The clipboard items have no hints of their own and show their actions'.
    Cut1 = makeItem(PopupMenu1, "Cut1", QStringLiteral("Kes"), hintOf(EditCut1), -1, EditCut1->shortcut());
    linkTo(Cut1, EditCut1);
    Copy1 = makeItem(PopupMenu1, "Copy1", QStringLiteral("Kopyala"), hintOf(EditCopy1), -1, EditCopy1->shortcut());
    linkTo(Copy1, EditCopy1);
    Paste1 = makeItem(PopupMenu1, "Paste1", QStringLiteral("Yapıştır"), hintOf(EditPaste1), -1,
                      EditPaste1->shortcut());
    linkTo(Paste1, EditPaste1);
    PopupMenu1->addSeparator();
    TmnSe2 = makeItem(PopupMenu1, "TmnSe2", QStringLiteral("Tümünü Seç"), QString(), -1);
    wire(this, TmnSe2, &QAction::triggered, &TAna::TmnSe2Click);
    Sil2 = makeItem(PopupMenu1, "Sil2", QStringLiteral("Sil"), QString(), -1);
    wire(this, Sil2, &QAction::triggered, &TAna::Sil2Click);
    GeriAl2 = makeItem(PopupMenu1, "GeriAl2", QStringLiteral("Geri Al"), QString(), -1);
    wire(this, GeriAl2, &QAction::triggered, &TAna::GeriAl2Click);
    Paragraf2 = makeItem(PopupMenu1, "Paragraf2", QStringLiteral("Paragraf"), QString(), -1);
    wire(this, Paragraf2, &QAction::triggered, &TAna::Paragraf2Click);
    connect(PopupMenu1, &QMenu::aboutToShow, this, guard([this] { updateActions(); }));

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    PopupMenu2->setAccessibleName(QStringLiteral("Çubuk Menüsü"));
    aracubugu1 = makeItem(PopupMenu2, "aracubugu1", QStringLiteral("Araç Çubuğu"), QString(), -1);
    bicimcubugu1 = makeItem(PopupMenu2, "bicimcubugu1", QStringLiteral("Biçim Çubuğu"), QString(), -1);
    for (QAction *a : {aracubugu1, bicimcubugu1}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    wireTicked(this, aracubugu1, &TAna::aracubugu1Click);
    wireTicked(this, bicimcubugu1, &TAna::bicimcubugu1Click);
    followHints(PopupMenu1);
    followHints(PopupMenu2);
    for (QToolBar *bar : {ToolBar2, ToolBar1}) {
        connect(bar, &QWidget::customContextMenuRequested, this,
                [this, bar](const QPoint &pos) { PopupMenu2->popup(bar->mapToGlobal(pos)); });
    }
}

void TAna::buildDialogs()
{
    Open1 = openDialogSetup();
    save1 = saveDialogSetup();

    FontDialog1Font = QFont(QStringLiteral("MS Sans Serif"));
    FontDialog1Font.setPointSize(8);
}

} // namespace kelmora
