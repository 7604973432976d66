// The frame's vocabulary: every menu item, button and context menu entry with
// its caption, shortcut, picture and hint; the hint line; the view toggles.

#include "FrameFixture.h"
#include "app/Hints.h"
#include "app/ImageList.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

struct ItemRow {
    const char *name;
    QString caption;
    QKeySequence keys;
    int image;
    QString statusText;
};

// Items of one menu, separators as rows with an empty name.
QList<QAction *> itemsOf(QMenu *menu)
{
    return menu->actions();
}

QString describe(QAction *a)
{
    if (a->isSeparator())
        return u"-"_s;
    return a->objectName() + u" "_s + a->text() + u" ["_s + a->shortcut().toString() + u"] #"_s +
           QString::number(a->property(kImageIndexProperty).toInt()) + u" |"_s + longHint(hintOf(a));
}

QStringList describeRows(const QList<ItemRow> &rows)
{
    QStringList out;
    for (const ItemRow &r : rows) {
        if (!r.name) {
            out << u"-"_s;
            continue;
        }
        out << QLatin1String(r.name) + u" "_s + r.caption + u" ["_s + r.keys.toString() + u"] #"_s +
                   QString::number(r.image) + u" |"_s + r.statusText;
    }
    return out;
}

const QKeySequence ctrl(Qt::Key k) { return QKeySequence(Qt::CTRL | k); }

} // namespace

class TestFrameLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuBarTitles();
    void menus_data();
    void menus();
    void actionList();
    void standardBar();
    void formattingBar();
    void contextMenus();
    void namesOffTheWindowTree_data();
    void namesOffTheWindowTree();
    void fontAndSizeLists();
    void captionAfterShowing();
    void hintLineForMenusAndControls();
    void viewTogglesAndTwins_data();
    void viewTogglesAndTwins();
    void standardBarReturnsAboveFormattingBar();
    void webSiteOpensBrowser();
};

void TestFrameLayout::menuBarTitles()
{
    test::FrameFixture f;
    QStringList titles, hints;
    for (QAction *a : f->menuBar()->actions()) {
        titles << a->text();
        hints << longHint(hintOf(a));
    }
    QCOMPARE(titles, (QStringList{u"&Dosya"_s, u"Dü&zen"_s, u"&Görünüm"_s, u"&Biçim"_s, u"&Pencere"_s, u"&Yardım"_s}));
    QCOMPARE(hints, (QStringList{u"File related commands"_s, u"Edit commands"_s, QString(), QString(), QString(),
                                 QString()}));
}

void TestFrameLayout::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("File") << u"File1"_s
                          << describeRows({
                                 {"FileNewItem", u"&Yeni"_s, ctrl(Qt::Key_N), 6, u"Yeni Dosya "_s},
                                 {"FileOpenItem", u"&Aç"_s, ctrl(Qt::Key_O), 7, u"Dosya Aç"_s},
                                 {"FileCloseItem", u"&Kapat"_s, ctrl(Qt::Key_W), -1, u"Aktif Pencereyi Kapat"_s},
                                 {"FileSaveItem", u"Kay&det"_s, ctrl(Qt::Key_S), 8, u"Aktif Pencereyi Kaydet"_s},
                                 {"FileSaveAsItem", u"&Farklı Kaydet"_s, {}, -1, u"Aktif Pencereyi Farklı Kaydet"_s},
                                 {"yazdir", u"Ya&zdır"_s, {}, 14, QString()},
                                 {nullptr, {}, {}, 0, {}},
                                 {"FileExitItem", u"&Çıkış"_s, {}, -1, u"Programdan Çıkış"_s},
                             });
    QTest::newRow("Edit") << u"Edit1"_s
                          << describeRows({
                                 {"GeriAl1", u"&Geri Al"_s, ctrl(Qt::Key_Z), 3, QString()},
                                 {nullptr, {}, {}, 0, {}},
                                 {"CutItem", u"&Kes"_s, ctrl(Qt::Key_X), 0,
                                  u"Cuts the selection and puts it on the Clipboard"_s},
                                 {"CopyItem", u"K&opyala"_s, ctrl(Qt::Key_C), 1,
                                  u"Copies the selection and puts it on the Clipboard"_s},
                                 {"PasteItem", u"&Yapıştır"_s, ctrl(Qt::Key_V), 2, u"Inserts Clipboard contents"_s},
                                 {nullptr, {}, {}, 0, {}},
                                 {"TmnSe1", u"&Tümünü Seç "_s, ctrl(Qt::Key_B), -1, QString()},
                                 {"Sil1", u"&Sil"_s, {}, -1, QString()},
                                 {"MetinAra1", u"&Metin Ara"_s, ctrl(Qt::Key_F), 18, QString()},
                             });
    QTest::newRow("View") << u"Grnm1"_s
                          << describeRows({
                                 {"araccubugu", u"&Araç Çubuğu"_s, {}, -1, QString()},
                                 {"bicimcubugu", u"&Biçim Çubuğu"_s, {}, -1, QString()},
                                 {"durumcubugu", u"&Durum Çubuğu"_s, {}, -1, QString()},
                             });
    QTest::newRow("Format") << u"Biim1"_s
                            << describeRows({
                                   {"Paragraf1", u"&Paragraf"_s, {}, -1, QString()},
                                   {"Maddemi1", u"&Madde İmi"_s, {}, -1, QString()},
                                   {"YazTipi1", u"&Yazı Tipi"_s, {}, -1, QString()},
                               });
    QTest::newRow("Window") << u"Window1"_s
                            << describeRows({
                                   {"De1", u"&Döşe"_s, {}, 17, u"Pencereleri Döşe"_s},
                                   {"YatayDe1", u"&Yatay Döşe"_s, {}, 15, u"Pencereleri Yatay Döşe"_s},
                                   {"DikeyDe1", u"&Dikey Döşe"_s, {}, 16, u"Pencereleri Dikey Döşe"_s},
                                   {"TmMiniminze1", u"&Tümü Miniminze"_s, {}, -1, u"Tümünü Minimize Yap"_s},
                               });
    QTest::newRow("Help") << u"Yardm1"_s
                          << describeRows({
                                 {"Hakknda1", u"&Hakkında"_s, {}, 28, QString()},
                                 {nullptr, {}, {}, 0, {}},
                                 {"WebSitesi1", u"&www.torvanta.com.tr"_s, {}, 29, QString()},
                                 {nullptr, {}, {}, 0, {}},
                                 {"ProgramSrmnKontrolEt1", u"Program Sürümünü Kontrol Et"_s, {}, -1, QString()},
                             });
}

void TestFrameLayout::menus()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, expected);
    test::FrameFixture f;
    auto *m = f->findChild<QMenu *>(menu);
    QVERIFY(m);
    QStringList actual;
    for (QAction *a : itemsOf(m))
        actual << describe(a);
    QCOMPARE(actual, expected);
}

void TestFrameLayout::actionList()
{
    test::FrameFixture f;
    struct Row {
        QAction *action;
        QString caption, hint;
        QKeySequence keys;
        int image;
    };
    const QList<Row> rows{
        {f->FileNew1, u"&New"_s, u"New|Create a new file"_s, ctrl(Qt::Key_N), 6},
        {f->FileOpen1, u"&Open"_s, u"Open|Open a file"_s, ctrl(Qt::Key_O), 7},
        {f->FileClose1, u"&Close"_s, u"Close|Close current file"_s, ctrl(Qt::Key_W), -1},
        {f->FileExit1, u"E&xit"_s, u"Exit|Exit application"_s, {}, -1},
        {f->EditCut1, u"Cu&t"_s, u"Cut|Cuts the selection and puts it on the Clipboard"_s, ctrl(Qt::Key_X), 0},
        {f->EditCopy1, u"&Copy"_s, u"Copy|Copies the selection and puts it on the Clipboard"_s, ctrl(Qt::Key_C), 1},
        {f->EditPaste1, u"&Paste"_s, u"Paste|Inserts Clipboard contents"_s, ctrl(Qt::Key_V), 2},
        {f->WindowCascade1, u"&Cascade"_s, u"Cascade"_s, {}, 17},
        {f->WindowTileHorizontal1, u"Tile &Horizontally"_s, u"Tile Horizontally"_s, {}, 15},
        {f->WindowTileVertical1, u"Tile &Vertically"_s, u"Tile Vertically"_s, {}, 16},
        {f->WindowMinimizeAll1, u"&Minimize All"_s, u"Minimize All"_s, {}, -1},
    };
    for (const Row &r : rows) {
        QCOMPARE(r.action->text(), r.caption);
        QCOMPARE(hintOf(r.action), r.hint);
        QCOMPARE(r.action->shortcut(), r.keys);
        QCOMPARE(r.action->property(kImageIndexProperty).toInt(), r.image);
    }
    // New, Open and Exit are always available; the rest need a document.
    f->updateActions();
    QVERIFY(f->FileNew1->isEnabled() && f->FileOpen1->isEnabled() && f->FileExit1->isEnabled());
    QVERIFY(!f->FileClose1->isEnabled() && !f->WindowCascade1->isEnabled() && !f->WindowMinimizeAll1->isEnabled());
}

void TestFrameLayout::standardBar()
{
    test::FrameFixture f;
    QStringList actual;
    for (QAction *a : f->ToolBar2->actions()) {
        QWidget *w = f->ToolBar2->widgetForAction(a);
        if (auto *b = qobject_cast<QToolButton *>(w))
            actual << b->objectName() + u" #"_s + QString::number(b->property(kImageIndexProperty).toInt()) +
                          u" "_s + b->toolTip();
        else
            actual << w->objectName() + u" gap "_s + QString::number(w->width());
    }
    QCOMPARE(actual, (QStringList{u"ToolButton9 #6 Yeni"_s, u"ToolButton1 #7 Aç"_s, u"ToolButton2 #8 Kaydet"_s,
                                  u"ToolButton3 gap 8"_s, u"ToolButton12 #14 Yazdır"_s, u"ToolButton14 gap 8"_s,
                                  u"ToolButton15 #18 Metin Ara"_s, u"ToolButton16 gap 8"_s, u"ToolButton4 #0 Kes"_s,
                                  u"ToolButton5 #1 Kopyala"_s, u"ToolButton6 #2 Yapıştır"_s,
                                  u"ToolButton17 #3 Geri Al"_s, u"ToolButton7 gap 8"_s,
                                  u"ToolButton8 #17 Alt Alta Döşe"_s, u"ToolButton10 #15 Yatay Döşe"_s,
                                  u"ToolButton11 #16 Dikey Döşe"_s}));
    // Every used picture exists.
    for (int i : {0, 1, 2, 3, 6, 7, 8, 14, 15, 16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29})
        QVERIFY2(!imageListIcon(i).pixmap(16, 16).isNull(), qPrintable(QString::number(i)));
}

void TestFrameLayout::formattingBar()
{
    test::FrameFixture f;
    QStringList actual;
    for (QAction *a : f->ToolBar1->actions()) {
        QWidget *w = f->ToolBar1->widgetForAction(a);
        QString line = w->objectName();
        if (auto *b = qobject_cast<QToolButton *>(w)) {
            line += u" #"_s + QString::number(b->property(kImageIndexProperty).toInt()) + u" "_s + b->toolTip();
            if (b->isCheckable())
                line += u" check"_s;
        } else if (auto *c = qobject_cast<QComboBox *>(w)) {
            line += u" "_s + QString::number(c->width()) + u" "_s + c->toolTip();
        }
        actual << line;
    }
    QCOMPARE(actual, (QStringList{u"ComboBox1 145 "_s, u"ComboBox2 48 Yazı Büyüklüğü"_s, u"ToolButton18 #23 Koyu check"_s,
                                  u"ToolButton19 #24 Altı Çizili check"_s, u"ToolButton20 #25 İtalic check"_s,
                                  u"ToolButton21"_s, u"ToolButton22 #20 Sola Yasla check"_s,
                                  u"ToolButton23 #21 Ortala check"_s, u"ToolButton24 #22 Sağa Yasla check"_s,
                                  u"ToolButton25"_s, u"ToolButton26 #26 Yazı Rengi"_s,
                                  u"ToolButton27 #27 Madde İmi check"_s}));

    // Bold is a push button: a click never toggles its look by itself.
    f->ToolButton18->click();
    QVERIFY(!f->ToolButton18->isChecked());
    // The alignment buttons form a group: one down releases the others,
    // and a click on the button that is down leaves it down.
    f->ToolButton22->click();
    f->ToolButton23->click();
    QVERIFY(f->ToolButton23->isChecked() && !f->ToolButton22->isChecked());
    f->ToolButton23->click();
    QVERIFY(f->ToolButton23->isChecked());
}

void TestFrameLayout::contextMenus()
{
    test::FrameFixture f;
    QStringList doc;
    for (QAction *a : f->PopupMenu1->actions())
        doc << (a->isSeparator() ? u"-"_s : a->text() + u" "_s + a->shortcut().toString());
    QCOMPARE(doc, (QStringList{u"Kes Ctrl+X"_s, u"Kopyala Ctrl+C"_s, u"Yapıştır Ctrl+V"_s, u"-"_s, u"Tümünü Seç "_s,
                               u"Sil "_s, u"Geri Al "_s, u"Paragraf "_s}));
    QStringList bars;
    for (QAction *a : f->PopupMenu2->actions())
        bars << a->text() + (a->isChecked() ? u" ✓"_s : QString());
    QCOMPARE(bars, (QStringList{u"Araç Çubuğu ✓"_s, u"Biçim Çubuğu ✓"_s}));
}

void TestFrameLayout::namesOffTheWindowTree_data()
{
    // A screen reader meets these only when they show: a context menu through
    // its focus, a bar's overflow button when the window is too narrow.
    QTest::addColumn<QString>("holder");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("document context menu") << u"Ana"_s << u"PopupMenu1"_s << u"Belge Menüsü"_s;
    QTest::newRow("bars' context menu") << u"Ana"_s << u"PopupMenu2"_s << u"Çubuk Menüsü"_s;
    QTest::newRow("standard bar's overflow") << u"ToolBar2"_s << u"qt_toolbar_ext_button"_s << u"Diğer Düğmeler"_s;
    QTest::newRow("formatting bar's overflow") << u"ToolBar1"_s << u"qt_toolbar_ext_button"_s << u"Diğer Düğmeler"_s;
}

void TestFrameLayout::namesOffTheWindowTree()
{
    QFETCH(QString, holder);
    QFETCH(QString, control);
    test::FrameFixture f;
    QObject *parent = holder == f->objectName() ? static_cast<QObject *>(f.get()) : f->findChild<QObject *>(holder);
    QVERIFY(parent);
    auto *w = parent->findChild<QWidget *>(control, Qt::FindDirectChildrenOnly);
    QVERIFY(w);
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(w);
    QVERIFY(reader);
    QTEST(reader->text(QAccessible::Name), "name");
}

void TestFrameLayout::fontAndSizeLists()
{
    test::FrameFixture f;
    QStringList faces;
    for (int i = 0; i < f->ComboBox1->count(); ++i)
        faces << f->ComboBox1->itemText(i);
    QVERIFY(faces.contains(u"Default"_s));
    QCOMPARE(faces.removeDuplicates(), 0);
    QStringList sorted = faces;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QCOMPARE(faces, sorted);
    QCOMPARE(f->ComboBox1->currentText(), faces.first());

    QStringList sizes;
    for (int i = 0; i < f->ComboBox2->count(); ++i)
        sizes << f->ComboBox2->itemText(i);
    QCOMPARE(sizes.size(), 43);
    QCOMPARE(sizes.first(), u"8"_s);
    QCOMPARE(sizes.last(), u"50"_s);
    QCOMPARE(f->ComboBox2->currentText(), u"12"_s);
    // The two-character limit is on typing only: the refresh shows 120 points in full.
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->SelAttributes().SetSize(120);
    f->durum_kontrol(f.get());
    QCOMPARE(f->ComboBox2->currentText(), u"120"_s);
}

void TestFrameLayout::captionAfterShowing()
{
    test::FrameFixture f;
    QCOMPARE(f->windowTitle(), u"TORVANTA Kelmora s1.06"_s);
    // The standard bar, then the formatting bar, then the client area.
    QVERIFY(f->ToolBar2->geometry().bottom() < f->ToolBar1->geometry().top());
    QVERIFY(f->ToolBar1->geometry().bottom() < f->centralWidget()->geometry().top());
    QVERIFY(f->StatusBar1->isVisible());
}

void TestFrameLayout::hintLineForMenusAndControls()
{
    test::FrameFixture f;
    auto *panel = f->findChild<QLabel *>(u"Panel0"_s);
    QVERIFY(panel);
    // A highlighted menu item puts the long part of its hint there.
    Q_EMIT f->Edit1->hovered(f->CutItem);
    QCOMPARE(panel->text(), u"Cuts the selection and puts it on the Clipboard"_s);
    Q_EMIT f->File1->hovered(f->FileNewItem);
    QCOMPARE(panel->text(), u"Yeni Dosya "_s);
    // An item without a hint empties the line.
    Q_EMIT f->Edit1->hovered(f->GeriAl1);
    QCOMPARE(panel->text(), QString());
    // A highlighted menu title.
    Q_EMIT f->menuBar()->hovered(f->File1->menuAction());
    QCOMPARE(panel->text(), u"File related commands"_s);

    // The mouse over the size box (over its text field, which has no hint of
    // its own), then over the font face box, which has none.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(f->ComboBox2->lineEdit(), &enter);
    QCOMPARE(panel->text(), u"Yazı Büyüklüğü"_s);
    QApplication::sendEvent(f->ComboBox1->lineEdit(), &enter);
    QCOMPARE(panel->text(), QString());
    QApplication::sendEvent(f->ToolButton9, &enter);
    QCOMPARE(panel->text(), u"Yeni"_s);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f->ToolButton9, &leave);
    QCOMPARE(panel->text(), QString());
}

void TestFrameLayout::viewTogglesAndTwins_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("twin");
    QTest::addColumn<QString>("bar");
    QTest::newRow("view: standard bar") << u"araccubugu"_s << u"aracubugu1"_s << u"ToolBar2"_s;
    QTest::newRow("view: formatting bar") << u"bicimcubugu"_s << u"bicimcubugu1"_s << u"ToolBar1"_s;
    QTest::newRow("context: standard bar") << u"aracubugu1"_s << u"araccubugu"_s << u"ToolBar2"_s;
    QTest::newRow("context: formatting bar") << u"bicimcubugu1"_s << u"bicimcubugu"_s << u"ToolBar1"_s;
    QTest::newRow("view: status bar") << u"durumcubugu"_s << QString() << u"StatusBar1"_s;
}

void TestFrameLayout::viewTogglesAndTwins()
{
    QFETCH(QString, item);
    QFETCH(QString, twin);
    QFETCH(QString, bar);
    test::FrameFixture f;
    auto *a = f->findChild<QAction *>(item);
    QAction *t = twin.isEmpty() ? nullptr : f->findChild<QAction *>(twin);
    auto *w = f->findChild<QWidget *>(bar);
    QVERIFY(a && w);
    const QList<QAction *> all{f->araccubugu, f->bicimcubugu, f->durumcubugu, f->aracubugu1, f->bicimcubugu1};

    a->trigger();
    QVERIFY(!a->isChecked());
    if (t)
        QVERIFY(!t->isChecked());
    QVERIFY(w->isHidden());
    // Nothing else changed.
    for (QAction *other : all) {
        if (other != a && other != t)
            QVERIFY2(other->isChecked(), qPrintable(other->objectName()));
    }
    a->trigger();
    QVERIFY(a->isChecked());
    if (t)
        QVERIFY(t->isChecked());
    QVERIFY(!w->isHidden());
}

void TestFrameLayout::standardBarReturnsAboveFormattingBar()
{
    test::FrameFixture f;
    f->aracubugu1->trigger();
    QApplication::processEvents();
    // The formatting bar moves to the top.
    QCOMPARE(f->ToolBar1->geometry().top(), f->menuBar()->geometry().bottom() + 1);
    f->araccubugu->trigger();
    QApplication::processEvents();
    QVERIFY(f->ToolBar2->geometry().bottom() < f->ToolBar1->geometry().top());
}

void TestFrameLayout::webSiteOpensBrowser()
{
    test::FrameFixture f;
    f->WebSitesi1->trigger();
    QCOMPARE(f.platform->shellOpens.size(), 1);
    QCOMPARE(f.platform->shellOpens.first().second, u"https://www.torvanta.com.tr"_s);
}

QTEST_MAIN(TestFrameLayout)
#include "tst_frame_layout.moc"
