// The frame's wiring: every menu item, context-menu item, button and shortcut
// reaches a handler that does what the item says, seen from its effect. A
// dead item (connected to nothing, or to the wrong handler) fails its row.

#include "FrameFixture.h"

#include "editing/metinara.h"
#include "editing/prgf_ayari.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

enum class Fire { Trigger, Click, Key };

// Reports the object name of the next modal window and closes it.
QString closeNextModal(std::function<void()> act)
{
    QString seen;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            seen = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
            w->close();
        }
    });
    poll.start();
    act();
    return seen;
}

struct World {
    test::FrameFixture &f;
    TRichEdit *editor() const { return f.editor(); }
    // A document with "abc def" in it, everything selected, the focus in it.
    TRichEdit *document()
    {
        TRichEdit *e = f.newDocument()->RichEdit1;
        e->insertPlainText(u"abc def"_s);
        e->selectAll();
        e->setFocus();
        QApplication::processEvents();
        return e;
    }
};

struct Row {
    const char *name;  // the control's object name
    Fire fire;
    QKeyCombination keys;
    std::function<void(World &)> prepare;
    std::function<bool(World &)> happened;
};

QToolButton *button(TAna *a, const char *name)
{
    return a->findChild<QToolButton *>(QLatin1String(name));
}

QAction *item(TAna *a, const char *name)
{
    return a->findChild<QAction *>(QLatin1String(name));
}

const QList<Row> &rows()
{
    const auto doc = [](World &w) { w.document(); };
    const auto docs = [](World &w) {
        w.document();
        w.document();
    };
    const auto counted = [](int n) { return [n](World &w) { return w.f->MDIChildCount() == n; }; };
    const auto dialogTitled = [](const char *title) {
        return [title](World &w) {
            return !w.f.platform->fileDialogs.isEmpty() &&
                   w.f.platform->fileDialogs.last().title == QString::fromUtf8(title);
        };
    };
    const auto modified = [](World &w) {
        w.document();
        w.editor()->insertPlainText(u"x"_s);
    };
    const auto undone = [](World &w) { return w.editor()->toPlainText() == u"abc def"_s; };
    const auto allSelected = [](World &w) {
        w.document();
        w.editor()->SetSelStart(0);
    };
    const auto isAllSelected = [](World &w) { return w.editor()->SelLength() == 7; };
    const auto deleted = [](World &w) { return w.editor()->toPlainText().isEmpty(); };
    const auto copied = [](World &) { return QGuiApplication::clipboard()->text() == u"abc def"_s; };
    const auto pasteReady = [](World &w) {
        QGuiApplication::clipboard()->setText(u"yapıştır"_s);
        w.document();
    };
    const auto pasted = [](World &w) { return w.editor()->toPlainText() == u"yapıştır"_s; };
    const auto bold = [](World &w) { return w.editor()->SelAttributes().Style().testFlag(FontStyle::Bold); };
    const auto underline = [](World &w) {
        return w.editor()->SelAttributes().Style().testFlag(FontStyle::Underline);
    };
    const auto italic = [](World &w) { return w.editor()->SelAttributes().Style().testFlag(FontStyle::Italic); };
    const auto aligned = [](ParaAlignment a) {
        return [a](World &w) { return w.editor()->Paragraph().Alignment() == a; };
    };
    const auto centred = [](World &w) {
        w.document();
        w.editor()->Paragraph().SetAlignment(ParaAlignment::Center);
    };
    const auto bulleted = [](World &w) { return w.editor()->Paragraph().GetNumbering() == Numbering::Bullet; };
    const auto hidden = [](const char *bar) {
        return [bar](World &w) { return !w.f->findChild<QWidget *>(QLatin1String(bar))->isVisibleTo(w.f.get()); };
    };
    const auto tiledAbove = [](World &w) {
        const QList<TMDIchild *> c = w.f->MDIChildren();
        const QRect a = c[0]->subWindow()->geometry(), b = c[1]->subWindow()->geometry();
        return a.width() == b.width() && a.top() != b.top() && !a.intersects(b);
    };
    const auto tiledSide = [](World &w) {
        const QList<TMDIchild *> c = w.f->MDIChildren();
        const QRect a = c[0]->subWindow()->geometry(), b = c[1]->subWindow()->geometry();
        return a.height() == b.height() && a.left() != b.left() && !a.intersects(b);
    };
    const auto cascaded = [](World &w) {
        const QList<TMDIchild *> c = w.f->MDIChildren();
        return c[0]->subWindow()->pos() != c[1]->subWindow()->pos() &&
               c[0]->subWindow()->geometry().intersects(c[1]->subWindow()->geometry());
    };
    const auto tiledFirst = [](World &w) {
        w.document();
        w.document();
        w.f->WindowTileVertical1->trigger();
    };
    const auto minimized = [](World &w) {
        for (TMDIchild *c : w.f->MDIChildren()) {
            if (!c->subWindow()->isMinimized())
                return false;
        }
        return true;
    };
    const auto noop = [](World &) {};
    const auto key = [](Qt::Key k) { return QKeyCombination(Qt::ControlModifier, k); };
    static const QList<Row> table{
        {"FileNewItem", Fire::Trigger, {}, noop, counted(1)},
        {"ToolButton9", Fire::Click, {}, noop, counted(1)},
        {"Ctrl+N", Fire::Key, key(Qt::Key_N), noop, counted(1)},
        {"FileOpenItem", Fire::Trigger, {}, noop, dialogTitled("Aç")},
        {"ToolButton1", Fire::Click, {}, noop, dialogTitled("Aç")},
        {"Ctrl+O", Fire::Key, key(Qt::Key_O), noop, dialogTitled("Aç")},
        {"FileCloseItem", Fire::Trigger, {}, doc, counted(0)},
        {"Ctrl+W", Fire::Key, key(Qt::Key_W), doc, counted(0)},
        {"FileSaveItem", Fire::Trigger, {}, doc, dialogTitled("Kaydet")},
        {"ToolButton2", Fire::Click, {}, doc, dialogTitled("Kaydet")},
        {"Ctrl+S", Fire::Key, key(Qt::Key_S), doc, dialogTitled("Kaydet")},
        {"FileSaveAsItem", Fire::Trigger, {}, doc, dialogTitled("Kaydet")},
        {"GeriAl1", Fire::Trigger, {}, modified, undone},
        {"ToolButton17", Fire::Click, {}, modified, undone},
        {"GeriAl2", Fire::Trigger, {}, modified, undone},
        {"Ctrl+Z", Fire::Key, key(Qt::Key_Z), modified, undone},
        {"CutItem", Fire::Trigger, {}, doc, deleted},
        {"ToolButton4", Fire::Click, {}, doc, deleted},
        {"Cut1", Fire::Trigger, {}, doc, deleted},
        {"Ctrl+X", Fire::Key, key(Qt::Key_X), doc, deleted},
        {"CopyItem", Fire::Trigger, {}, doc, copied},
        {"ToolButton5", Fire::Click, {}, doc, copied},
        {"Copy1", Fire::Trigger, {}, doc, copied},
        {"Ctrl+C", Fire::Key, key(Qt::Key_C), doc, copied},
        {"PasteItem", Fire::Trigger, {}, pasteReady, pasted},
        {"ToolButton6", Fire::Click, {}, pasteReady, pasted},
        {"Paste1", Fire::Trigger, {}, pasteReady, pasted},
        {"Ctrl+V", Fire::Key, key(Qt::Key_V), pasteReady, pasted},
        {"TmnSe1", Fire::Trigger, {}, allSelected, isAllSelected},
        {"TmnSe2", Fire::Trigger, {}, allSelected, isAllSelected},
        {"Ctrl+B", Fire::Key, key(Qt::Key_B), allSelected, isAllSelected},
        {"Sil1", Fire::Trigger, {}, doc, deleted},
        {"Sil2", Fire::Trigger, {}, doc, deleted},
        {"araccubugu", Fire::Trigger, {}, noop, hidden("ToolBar2")},
        {"aracubugu1", Fire::Trigger, {}, noop, hidden("ToolBar2")},
        {"bicimcubugu", Fire::Trigger, {}, noop, hidden("ToolBar1")},
        {"bicimcubugu1", Fire::Trigger, {}, noop, hidden("ToolBar1")},
        {"durumcubugu", Fire::Trigger, {}, noop, hidden("StatusBar1")},
        {"Maddemi1", Fire::Trigger, {}, doc, bulleted},
        {"ToolButton27", Fire::Click, {}, doc, bulleted},
        {"ToolButton18", Fire::Click, {}, doc, bold},
        {"ToolButton19", Fire::Click, {}, doc, underline},
        {"ToolButton20", Fire::Click, {}, doc, italic},
        {"ToolButton22", Fire::Click, {}, centred, aligned(ParaAlignment::Left)},
        {"ToolButton23", Fire::Click, {}, doc, aligned(ParaAlignment::Center)},
        {"ToolButton24", Fire::Click, {}, doc, aligned(ParaAlignment::Right)},
        {"ToolButton26", Fire::Click, {}, doc, [](World &w) { return w.f.platform->colorDialogsOpenedWith.size() == 1; }},
        {"YazTipi1", Fire::Trigger, {}, doc, [](World &w) { return w.f.platform->fontDialogsOpenedWith.size() == 1; }},
        {"De1", Fire::Trigger, {}, tiledFirst, cascaded},
        {"ToolButton8", Fire::Click, {}, tiledFirst, cascaded},
        {"YatayDe1", Fire::Trigger, {}, docs, tiledAbove},
        {"ToolButton10", Fire::Click, {}, docs, tiledAbove},
        {"DikeyDe1", Fire::Trigger, {}, docs, tiledSide},
        {"ToolButton11", Fire::Click, {}, docs, tiledSide},
        {"TmMiniminze1", Fire::Trigger, {}, docs, minimized},
        {"WebSitesi1", Fire::Trigger, {}, noop,
         [](World &w) { return w.f.platform->shellOpens.size() == 1; }},
        {"yazdir", Fire::Trigger, {}, doc,
         [](World &w) { return w.f.platform->errorTexts() == QStringList{u"There is no default printer currently selected."_s}; }},
        {"ToolButton12", Fire::Click, {}, doc,
         [](World &w) { return w.f.platform->errorTexts() == QStringList{u"There is no default printer currently selected."_s}; }},
        {"FileExitItem", Fire::Trigger, {}, noop, [](World &w) { return !w.f->isVisible(); }},
    };
    return table;
}

// The items that open one of the program's own modal windows, and its name.
const QList<std::tuple<const char *, Fire, QKeyCombination, QString>> &modalRows()
{
    static const QList<std::tuple<const char *, Fire, QKeyCombination, QString>> table{
        {"MetinAra1", Fire::Trigger, {}, u"metin_ara"_s},
        {"ToolButton15", Fire::Click, {}, u"metin_ara"_s},
        {"Ctrl+F", Fire::Key, QKeyCombination(Qt::ControlModifier, Qt::Key_F), u"metin_ara"_s},
        {"Paragraf1", Fire::Trigger, {}, u"paragraf_ayari"_s},
        {"Paragraf2", Fire::Trigger, {}, u"paragraf_ayari"_s},
        {"Hakknda1", Fire::Trigger, {}, u"AboutF"_s},
        {"ProgramSrmnKontrolEt1", Fire::Trigger, {}, u"SurumKontrolF"_s},
    };
    return table;
}

void fire(test::FrameFixture &f, const char *name, Fire how, QKeyCombination keys)
{
    switch (how) {
    case Fire::Trigger: {
        QAction *a = item(f.get(), name);
        QVERIFY2(a, name);
        a->trigger();
        break;
    }
    case Fire::Click: {
        QToolButton *b = button(f.get(), name);
        QVERIFY2(b, name);
        b->click();
        break;
    }
    case Fire::Key: {
        QWidget *target = f.editor() ? static_cast<QWidget *>(f.editor()) : f.get();
        QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
        break;
    }
    }
}

} // namespace

class TestWiring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void eachControlReachesItsHandler_data();
    void eachControlReachesItsHandler();
    void eachDialogItemShowsItsDialog_data();
    void eachDialogItemShowsItsDialog();
};

void TestWiring::initTestCase()
{
    metin_ara = new Tmetin_ara(nullptr, [] { return Ana ? Ana->activeEditor() : nullptr; });
    paragraf_ayari = new Tparagraf_ayari(nullptr, [] { return Ana ? Ana->activeEditor() : nullptr; },
                                         [] { return std::array<bool, 3>{}; });
}

void TestWiring::cleanupTestCase()
{
    delete metin_ara;
    delete paragraf_ayari;
    metin_ara = nullptr;
    paragraf_ayari = nullptr;
}

void TestWiring::eachControlReachesItsHandler_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < rows().size(); ++i)
        QTest::newRow(rows().at(i).name) << i;
}

void TestWiring::eachControlReachesItsHandler()
{
    QFETCH(int, row);
    const Row &r = rows().at(row);
    test::FrameFixture f;
    World w{f};
    f.platform->fileAnswers.push_back({false, {}, 0}); // cancel the file dialogs
    f.platform->colorAnswers.push_back({false, {}});
    f.platform->fontAnswers.push_back({false, {}});
    f.platform->boxAnswers.push_back(QMessageBox::No); // closing a changed document
    r.prepare(w);
    f->updateActions();
    fire(f, r.name, r.fire, r.keys);
    QApplication::processEvents();
    test::FrameFixture::settle();
    QVERIFY2(r.happened(w), r.name);
    f.platform->unexpected.clear(); // the answers queued for other rows are not all used
}

void TestWiring::eachDialogItemShowsItsDialog_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < modalRows().size(); ++i)
        QTest::newRow(std::get<0>(modalRows().at(i))) << i;
}

void TestWiring::eachDialogItemShowsItsDialog()
{
    QFETCH(int, row);
    const auto &[name, how, keys, dialog] = modalRows().at(row);
    test::FrameFixture f;
    World w{f};
    w.document();
    f->updateActions();
    QCOMPARE(closeNextModal([&] { fire(f, name, how, keys); }), dialog);
}

int main(int argc, char **argv)
{
    // No printer for the print rows: the command must report that.
    qputenv("CUPS_SERVER", "/nonexistent/kelmora-test-cups.sock");
    QApplication app(argc, argv);
    TestWiring t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_wiring.moc"
