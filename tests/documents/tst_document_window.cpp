// Document windows: New and its untitled names, the close prompt on every
// path, the Window menu and the window arrangement commands.

#include "FileHelpers.h"
#include "FrameFixture.h"
#include "app/WindowArrange.h"

#include <QDir>
#include <QComboBox>
#include <QMenu>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QTemporaryDir>
#include <QToolButton>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

const QString kQuestion = u" Dosyasındaki Değişiklikleri Kaydetmek İstiyor musunuz?"_s;

void type(TRichEdit *e, const QString &text)
{
    e->textCursor().insertText(text);
}

// Closes the active window the way Ctrl+W does.
void closeActive(test::FrameFixture &f)
{
    f->updateActions();
    f->FileClose1->trigger();
    test::FrameFixture::settle();
}

} // namespace

class TestDocumentWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void untitledNumbering();
    void newNeverLoadsAFileWithTheUntitledName();
    void newDocumentSettings();
    void closeUnmodifiedAsksNothing();
    void closePromptText();
    void closeAnsweredNoDropsChanges();
    void closeCancelledKeepsWindow();
    void closeYesSavesToTitledFile();
    void closeYesUntitledSavesUnderNameAsChosen();
    void closeYesThenDialogCancelledKeepsWindow();
    void closeYesTitledFileDeletedShowsDialog();
    void closeYesOnReadOnlyFileShowsErrorAndKeepsWindow();
    void windowMenuListsAndActivates();
    void tileRectsCoverAreaWithoutOverlap();
    void arrangementCommands();
    void minimizeAllFromLastToFirst();
    void openedDocumentStartsAtItsFirstCharacter();
    void documentTallerThanLayoutLimitOpensAndEndsReachable();
    void tallDocumentLaysOutInTheBackground_data();
    void tallDocumentLaysOutInTheBackground();
    void documentTooTallForANarrowWindowIsLaidOutWider();
    void documentWithTooManyParagraphsIsRefused();

private:
    std::unique_ptr<test::ScopedWorkFolder> m_tmp;
};

void TestDocumentWindow::init()
{
    m_tmp = std::make_unique<test::ScopedWorkFolder>();
    QVERIFY(m_tmp->isValid());
}

void TestDocumentWindow::cleanup()
{
    m_tmp.reset();
}

void TestDocumentWindow::untitledNumbering()
{
    test::FrameFixture f;
    f.newDocument();
    f.newDocument();
    QCOMPARE(f.captions(), (QStringList{u"ADSIZ1"_s, u"ADSIZ2"_s}));
    // Close ADSIZ1; New counts windows, so a second ADSIZ2 appears.
    f->clientArea()->setActiveSubWindow(f->MDIChildren().first()->subWindow());
    closeActive(f);
    QCOMPARE(f.captions(), QStringList{u"ADSIZ2"_s});
    f.newDocument();
    QCOMPARE(f.captions(), (QStringList{u"ADSIZ2"_s, u"ADSIZ2"_s}));
    QCOMPARE(f->ActiveMDIChild(), f->MDIChildren().last());
}

void TestDocumentWindow::newNeverLoadsAFileWithTheUntitledName()
{
    test::writeFile(m_tmp->filePath(u"ADSIZ1"_s), "someone else's file");
    test::FrameFixture f;
    TMDIchild *child = f.newDocument();
    QVERIFY(child->IsUntitled());
    QCOMPARE(child->RichEdit1->toPlainText(), QString());
    // Save of the untitled document asks for a name instead of writing there.
    type(child->RichEdit1, u"benim"_s);
    f.platform->fileAnswers.push_back({false, {}, 0});
    f->FileSaveItem->trigger();
    QCOMPARE(f.platform->fileDialogs.size(), 1);
    QCOMPARE(test::readAll(m_tmp->filePath(u"ADSIZ1"_s)), QByteArray("someone else's file"));
    QVERIFY(child->RichEdit1->Modified());
}

void TestDocumentWindow::newDocumentSettings()
{
    test::FrameFixture f;
    TMDIchild *child = f.newDocument();
    TRichEdit *e = child->RichEdit1;
    QVERIFY(!e->Modified());
    QVERIFY(!e->PlainText());
    QVERIFY(e->HideSelection());
    QCOMPARE(e->Paragraph().Alignment(), ParaAlignment::Left);
    QCOMPARE(e->SelAttributes().Name(), u"Arial"_s);
    QCOMPARE(e->SelAttributes().Size(), 12);
    QCOMPARE(e->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(e->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(e->lineWrapMode(), QTextEdit::WidgetWidth);
    QVERIFY(e->tabChangesFocus());
    QCOMPARE(e->contextMenuPolicy(), Qt::CustomContextMenu);
    QVERIFY(child->subWindow()->isVisible());
}

void TestDocumentWindow::closeUnmodifiedAsksNothing()
{
    test::FrameFixture f;
    f.newDocument();
    closeActive(f);
    QCOMPARE(f->MDIChildCount(), 0);
    QVERIFY(f.platform->boxes.isEmpty());
    QVERIFY(f.platform->unexpected.isEmpty());
}

void TestDocumentWindow::closePromptText()
{
    test::FrameFixture f;
    type(f.newDocument()->RichEdit1, u"x"_s);
    f.platform->boxAnswers.push_back(QMessageBox::Cancel);
    closeActive(f);
    QCOMPARE(f.platform->boxes.size(), 1);
    const MessageRequest &r = f.platform->boxes.first().request;
    QCOMPARE(r.text, u"ADSIZ1"_s + kQuestion);
    QCOMPARE(r.caption, u"Dikkat"_s);
    QCOMPARE(r.icon, QMessageBox::Question);
    QCOMPARE(r.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(r.defaultButton, QMessageBox::Yes);
}

void TestDocumentWindow::closeAnsweredNoDropsChanges()
{
    test::FrameFixture f;
    type(f.newDocument()->RichEdit1, u"kaybolacak"_s);
    f.platform->boxAnswers.push_back(QMessageBox::No);
    closeActive(f);
    QCOMPARE(f->MDIChildCount(), 0);
    QVERIFY(f.platform->fileDialogs.isEmpty());
    QVERIFY(QDir(m_tmp->path()).entryList(QDir::Files).isEmpty());
}

void TestDocumentWindow::closeCancelledKeepsWindow()
{
    test::FrameFixture f;
    TMDIchild *child = f.newDocument();
    type(child->RichEdit1, u"kalır"_s);
    f.platform->boxAnswers.push_back(QMessageBox::Cancel);
    closeActive(f);
    QCOMPARE(f->MDIChildCount(), 1);
    QVERIFY(child->RichEdit1->Modified());
    QCOMPARE(child->RichEdit1->toPlainText(), u"kalır"_s);
}

void TestDocumentWindow::closeYesSavesToTitledFile()
{
    const QString path = m_tmp->filePath(u"mektup.txt"_s);
    test::writeFile(path, "eski");
    test::FrameFixture f;
    f->pencere_ac(path);
    TRichEdit *e = f.editor();
    e->SetModified(false);
    e->selectAll();
    type(e, u"yeni metin"_s);
    f.platform->boxAnswers.push_back(QMessageBox::Yes);
    closeActive(f);
    QCOMPARE(f->MDIChildCount(), 0);
    QVERIFY(f.platform->fileDialogs.isEmpty());
    QVERIFY(test::readAll(path).contains("yeni metin"));
    QCOMPARE(f.platform->boxes.first().request.text, path + kQuestion);
}

void TestDocumentWindow::closeYesUntitledSavesUnderNameAsChosen()
{
    test::FrameFixture f;
    type(f.newDocument()->RichEdit1, u"isimsiz"_s);
    const QString chosen = m_tmp->filePath(u"notlar"_s);
    f.platform->boxAnswers.push_back(QMessageBox::Yes);
    f.platform->fileAnswers.push_back({true, chosen, 1});
    closeActive(f);
    QCOMPARE(f->MDIChildCount(), 0);
    QCOMPARE(f.platform->fileDialogs.size(), 1);
    QCOMPARE(f.platform->fileDialogs.first().title, u"Kaydet"_s);
    // No extension added here, and the filter did not change the format.
    QVERIFY(QFile::exists(chosen));
    QVERIFY(!QFile::exists(chosen + u".TXT"_s));
    QVERIFY(test::readAll(chosen).startsWith("{\\rtf"));
}

void TestDocumentWindow::closeYesThenDialogCancelledKeepsWindow()
{
    test::FrameFixture f;
    TMDIchild *child = f.newDocument();
    type(child->RichEdit1, u"bekle"_s);
    f.platform->boxAnswers.push_back(QMessageBox::Yes);
    f.platform->fileAnswers.push_back({false, {}, 0});
    closeActive(f);
    QCOMPARE(f->MDIChildCount(), 1);
    QVERIFY(child->RichEdit1->Modified());
}

void TestDocumentWindow::closeYesTitledFileDeletedShowsDialog()
{
    const QString path = m_tmp->filePath(u"silinen.rtf"_s);
    test::writeFile(path, "{\\rtf1 eski}");
    test::FrameFixture f;
    f->pencere_ac(path);
    type(f.editor(), u"değişti"_s);
    QFile::remove(path);
    const QString chosen = m_tmp->filePath(u"yeni.rtf"_s);
    f.platform->boxAnswers.push_back(QMessageBox::Yes);
    f.platform->fileAnswers.push_back({true, chosen, 2});
    closeActive(f);
    QCOMPARE(f.platform->fileDialogs.size(), 1);
    QVERIFY(QFile::exists(chosen));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(f->MDIChildCount(), 0);
}

void TestDocumentWindow::closeYesOnReadOnlyFileShowsErrorAndKeepsWindow()
{
    const QString path = m_tmp->filePath(u"salt-okunur.txt"_s);
    test::writeFile(path, "korunan");
    test::FrameFixture f;
    f->pencere_ac(path);
    TMDIchild *child = f->ActiveMDIChild();
    child->RichEdit1->SetModified(false);
    type(child->RichEdit1, u" ek"_s);
    if (!test::makeUnwritable(path))
        QSKIP("cannot make a file unwritable here");
    f.platform->boxAnswers.push_back(QMessageBox::Yes);
    closeActive(f);
    test::makeWritable(path);
    QCOMPARE(f->MDIChildCount(), 1);
    QVERIFY(child->RichEdit1->Modified());
    QCOMPARE(test::readAll(path), QByteArray("korunan"));
    const QStringList errors = f.platform->errorTexts();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith(u"Cannot create file \""_s + path + u"\". "_s), qPrintable(errors.first()));
}

void TestDocumentWindow::windowMenuListsAndActivates()
{
    test::FrameFixture f;
    f.newDocument();
    f.newDocument();
    Q_EMIT f->Window1->aboutToShow();
    QList<QAction *> items = f->Window1->actions();
    QCOMPARE(items.size(), 4 + 1 + 2);
    QVERIFY(items.at(4)->isSeparator());
    QCOMPARE(items.at(5)->text(), u"ADSIZ1"_s);
    QCOMPARE(items.at(6)->text(), u"ADSIZ2"_s);
    QVERIFY(!items.at(5)->isChecked() && items.at(6)->isChecked());
    items.at(5)->trigger();
    QCOMPARE(f->ActiveMDIChild()->Caption(), u"ADSIZ1"_s);
    Q_EMIT f->Window1->aboutToShow();
    items = f->Window1->actions();
    QCOMPARE(items.size(), 7);
    QVERIFY(items.at(5)->isChecked() && !items.at(6)->isChecked());
    // Closing both empties the list again.
    closeActive(f);
    closeActive(f);
    Q_EMIT f->Window1->aboutToShow();
    QCOMPARE(f->Window1->actions().size(), 4);
}

void TestDocumentWindow::tileRectsCoverAreaWithoutOverlap()
{
    const QRect area(0, 0, 700, 301);
    const QList<QRect> above = tileRects(area, 3, TileDirection::OneAboveOther);
    QCOMPARE(above, (QList<QRect>{QRect(0, 0, 700, 100), QRect(0, 100, 700, 100), QRect(0, 200, 700, 101)}));
    const QList<QRect> side = tileRects(area, 2, TileDirection::SideBySide);
    QCOMPARE(side, (QList<QRect>{QRect(0, 0, 350, 301), QRect(350, 0, 350, 301)}));
    QVERIFY(tileRects(area, 0, TileDirection::SideBySide).isEmpty());
    QCOMPARE(tileRects(area, 1, TileDirection::OneAboveOther), QList<QRect>{area});
}

void TestDocumentWindow::arrangementCommands()
{
    test::FrameFixture f;
    f.newDocument();
    f.newDocument();
    f->updateActions();
    const QRect area = f->clientArea()->viewport()->rect();
    const auto geometries = [&] {
        QList<QRect> out;
        for (TMDIchild *c : f->MDIChildren())
            out << c->subWindow()->geometry();
        return out;
    };
    f->YatayDe1->trigger(); // one above the other
    QList<QRect> g = geometries();
    QCOMPARE(g[0].width(), area.width());
    QCOMPARE(g[1].width(), area.width());
    QCOMPARE(g[0].height() + g[1].height(), area.height());
    QVERIFY(g[0].top() != g[1].top());
    // The active window comes first.
    QCOMPARE(f->ActiveMDIChild()->subWindow()->geometry().top(), 0);

    f->ToolButton11->click(); // side by side
    g = geometries();
    QCOMPARE(g[0].height(), area.height());
    QCOMPARE(g[0].width() + g[1].width(), area.width());
    QVERIFY(g[0].left() != g[1].left());

    f->De1->trigger(); // cascade, from the menu and the bar alike
    g = geometries();
    QVERIFY(g[0].topLeft() != g[1].topLeft());
    QVERIFY(g[0].width() < area.width());
    f->YatayDe1->trigger();
    f->ToolButton8->click();
    QCOMPARE(geometries(), g);
}

void TestDocumentWindow::minimizeAllFromLastToFirst()
{
    test::FrameFixture f;
    for (int i = 0; i < 3; ++i)
        f.newDocument();
    f->updateActions();
    QStringList order;
    for (TMDIchild *c : f->MDIChildren()) {
        connect(c->subWindow(), &QMdiSubWindow::windowStateChanged, c,
                [&order, c](Qt::WindowStates before, Qt::WindowStates now) {
                    if ((now & Qt::WindowMinimized) && !(before & Qt::WindowMinimized))
                        order << c->Caption();
                });
    }
    f->TmMiniminze1->trigger();
    QCOMPARE(order, (QStringList{u"ADSIZ3"_s, u"ADSIZ2"_s, u"ADSIZ1"_s}));
    for (TMDIchild *c : f->MDIChildren())
        QVERIFY(c->subWindow()->isMinimized());
}

void TestDocumentWindow::openedDocumentStartsAtItsFirstCharacter()
{
    const QString file = QDir::current().filePath(u"uzun.rtf"_s);
    QByteArray rtf("{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0 Courier New;}}\\f0\\fs28\\b ");
    for (int i = 0; i < 400; ++i)
        rtf += "sat\\'fdr " + QByteArray::number(i) + "\\par ";
    rtf += "}";
    test::writeFile(file, rtf);
    test::FrameFixture f;
    f.platform->fileAnswers.push_back({true, file, 2});
    f->FileOpen1->trigger();
    TRichEdit *e = f.editor();
    QCOMPARE(e->textCursor().position(), 0);
    QCOMPARE(e->verticalScrollBar()->value(), 0);
    QVERIFY(!e->Modified());
    QCOMPARE(e->SelAttributes().Name(), u"Courier New"_s);
    QCOMPARE(e->SelAttributes().Size(), 14);
    QVERIFY(e->SelAttributes().Style().testFlag(FontStyle::Bold));
    // The bar shows the first character's formatting.
    QCOMPARE(f->ComboBox2->currentText(), u"14"_s);
    QVERIFY(f->ToolButton18->isChecked());
    // Typing goes in at the start, and the first edit is undoable.
    QTest::keyClicks(e, u"X"_s);
    QVERIFY(e->toPlainText().startsWith(u"Xsatır 0"_s));
    QVERIFY(e->Modified());
    e->undo();
    QVERIFY(e->toPlainText().startsWith(u"satır 0"_s));
}

void TestDocumentWindow::documentTallerThanLayoutLimitOpensAndEndsReachable()
{
    // 600,000 lines of at least 16 pixels: taller than 2^23 pixels, where a
    // document filled in place and then laid out in one go never finishes.
    const QString file = QDir::current().filePath(u"cok-uzun.txt"_s);
    QByteArray text;
    text.reserve(600000 * 8);
    for (int i = 0; i < 600000; ++i)
        text += "s" + QByteArray::number(i) + "\n";
    text += "son satır";
    test::writeFile(file, text);
    test::FrameFixture f;
    f->pencere_ac(file);
    TRichEdit *e = f.editor();
    QApplication::processEvents();
    QCOMPARE(e->document()->blockCount(), 600001);
    QTest::keyClick(e, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(e->textCursor().position(), e->TextLength());
    QCOMPARE(e->textCursor().block().text(), u"son satır"_s);
    QTRY_VERIFY(e->verticalScrollBar()->value() > 0);
    e->viewport()->repaint(); // paints the last page
}

namespace {

QByteArray numberedLines(int lines)
{
    QByteArray text;
    text.reserve(lines * 9);
    for (int i = 0; i < lines; ++i)
        text += "s" + QByteArray::number(i) + "\n";
    return text + "son satır";
}

bool laidOut(const TRichEdit *e)
{
    return e->document()->lastBlock().layout()->lineCount() > 0;
}

// Ctrl+End reaches the last paragraph and the view follows; half way down
// the scroll bar shows a paragraph from the middle.
void checkReachable(TRichEdit *e, const QString &lastParagraph)
{
    QTest::keyClick(e, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(e->textCursor().position(), e->TextLength());
    QCOMPARE(e->textCursor().block().text(), lastParagraph);
    QTRY_VERIFY(e->verticalScrollBar()->value() > 0);
    e->verticalScrollBar()->setValue(e->verticalScrollBar()->maximum() / 2);
    const int middle = e->cursorForPosition(QPoint(4, 4)).blockNumber();
    const int blocks = e->document()->blockCount();
    QVERIFY2(middle > blocks / 4 && middle < blocks * 3 / 4, qPrintable(QString::number(middle)));
}

} // namespace

void TestDocumentWindow::tallDocumentLaysOutInTheBackground_data()
{
    QTest::addColumn<int>("editorWidth"); // 0: as the window opens
    QTest::newRow("as opened") << 0;
    QTest::newRow("narrower after opening") << 300;
}

void TestDocumentWindow::tallDocumentLaysOutInTheBackground()
{
    // 600,000 lines of 19 pixels: past the 2^23 pixels at which Qt's
    // background layout of an unpaged document stops finishing.
    QFETCH(int, editorWidth);
    const QString file = QDir::current().filePath(u"arka-plan.txt"_s);
    test::writeFile(file, numberedLines(600000));
    test::FrameFixture f;
    f->pencere_ac(file);
    TRichEdit *e = f.editor();
    if (editorWidth > 0)
        f->ActiveMDIChild()->subWindow()->resize(editorWidth, 400);
    QTRY_VERIFY_WITH_TIMEOUT(laidOut(e), 120000);
    QVERIFY(e->document()->documentLayout()->documentSize().height() > 1 << 23);
    checkReachable(e, u"son satır"_s);
}

void TestDocumentWindow::documentTooTallForANarrowWindowIsLaidOutWider()
{
    // 40,000 paragraphs of 60 words wrap to more than the editor can scroll
    // through (about 21.47 M pixels) in a window 160 pixels wide.
    QByteArray text;
    for (int p = 0; p < 40000; ++p) {
        for (int w = 0; w < 60; ++w)
            text += "kelime" + QByteArray::number(w) + ' ';
        text += "\n";
    }
    text += "son paragraf";
    const QString file = QDir::current().filePath(u"dar.txt"_s);
    test::writeFile(file, text);
    test::FrameFixture f;
    f->pencere_ac(file);
    TRichEdit *e = f.editor();
    f->ActiveMDIChild()->subWindow()->resize(160, 400);
    QTRY_VERIFY_WITH_TIMEOUT(laidOut(e), 240000);
    QVERIFY(e->lineWrapMode() != QTextEdit::WidgetWidth);
    QVERIFY(e->document()->documentLayout()->documentSize().height() < LayoutHeight::MaxHeight);
    checkReachable(e, u"son paragraf"_s);
    // Typing still goes in where the caret is, and is kept.
    QTest::keyClicks(e, u"!"_s);
    QVERIFY(e->toPlainText().endsWith(u"son paragraf!"_s));
    // The next document is laid out at the window's width again.
    e->Clear();
    QCOMPARE(e->lineWrapMode(), QTextEdit::WidgetWidth);
}

void TestDocumentWindow::documentWithTooManyParagraphsIsRefused()
{
    // 1,200,000 paragraphs of one line each are taller than the editor can
    // show at any width: the standard error box says so, nothing hangs.
    const QString file = QDir::current().filePath(u"satirlar.txt"_s);
    test::writeFile(file, numberedLines(1200000));
    test::FrameFixture f;
    f.platform->fileAnswers.push_back({true, file, 1});
    f.platform->boxAnswers.push_back(QMessageBox::Ok);
    f->FileOpen1->trigger();
    QCOMPARE(f.platform->errorTexts(), QStringList{u"Failed to Load Stream."_s});
    QCOMPARE(f->MDIChildCount(), 1);
    QCOMPARE(f.editor()->TextLength(), 0);
    QVERIFY(!f.editor()->Modified());
}

QTEST_MAIN(TestDocumentWindow)
#include "tst_document_window.moc"
