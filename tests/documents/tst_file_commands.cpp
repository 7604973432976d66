// The file commands: Open, Save, Save As and the exit pass, with real files
// and the real formats underneath; every prompt answered by the script.

#include "FileHelpers.h"
#include "FrameFixture.h"

#include <QComboBox>
#include <QDir>
#include <QToolButton>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextBlock>

#include <unistd.h>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

const QString kQuestion = u" Dosyasındaki Değişiklikleri Kaydetmek İstiyor musunuz?"_s;

void type(TRichEdit *e, const QString &text)
{
    e->textCursor().insertText(text);
}

bool isRtfFile(const QString &path)
{
    return test::readAll(path).startsWith("{\\rtf");
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void dialogsAreSetUp();
    void openLoadsIntoTitledUnmodifiedWindow();
    void openTwiceGivesTwoWindows();
    void contentDecidesFormatNotExtension();
    void openFailureKeepsTitledWindow();
    void openCancelledDoesNothing();
    void saveWritesRtfUntilSavedAsPlainText();
    void saveAsExtensionRules_data();
    void saveAsExtensionRules();
    void saveAsConfirmsExtendedNameThatExists();
    void saveDialogRemembersNameAndFilter();
    void saveOfDeletedFileShowsDialog();
    void saveToReadOnlyFileChangesNothing();
    void saveAsFailureKeepsTitle();
    void turkishSurvivesSaveAndOpen();
    void copyPasteKeepsFormatting();
    void exitPassNothingToAsk();
    void exitPassVisitsFromActiveAndCancelKeepsRest();
    void exitPassRepeatsQuestionAfterCancelledDialog();
    void exitPassNoDropsChangesAndCloses();
    void exitPassFailedWriteKeepsFrameOpen();

private:
    QString path(const QString &name) const { return m_tmp->filePath(name); }
    std::unique_ptr<test::ScopedWorkFolder> m_tmp;
};

void TestFileCommands::init()
{
    m_tmp = std::make_unique<test::ScopedWorkFolder>();
    QVERIFY(m_tmp->isValid());
}

void TestFileCommands::cleanup()
{
    m_tmp.reset();
}

void TestFileCommands::dialogsAreSetUp()
{
    test::FrameFixture f;
    QCOMPARE(f->Open1.title, u"Aç"_s);
    QCOMPARE(f->Open1.filters.size(), 2);
    QCOMPARE(f->Open1.filters[0], std::make_pair(u"Text Dosyası"_s, u"*.Txt"_s));
    QCOMPARE(f->Open1.filters[1], std::make_pair(u"Zengin Metin Dosyası"_s, u"*.Rtf"_s));
    QCOMPARE(f->Open1.defaultExt, u"TXT"_s);
    QVERIFY(f->Open1.fileMustExist);
    QCOMPARE(f->save1.title, u"Kaydet"_s);
    QCOMPARE(f->save1.filters[0], std::make_pair(u"Txt Dosyası"_s, u"*.Txt"_s));
    QCOMPARE(f->save1.filters[1], std::make_pair(u"Zengin Metin Dosyası"_s, u"*.Rtf"_s));
    QVERIFY(f->save1.defaultExt.isEmpty());
    QVERIFY(f->save1.overwritePrompt);
}

void TestFileCommands::openLoadsIntoTitledUnmodifiedWindow()
{
    const QString file = path(u"kalın.rtf"_s);
    test::writeFile(file, "{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0 Courier New;}}\\f0\\fs28\\qc\\b Ba\\'f0l\\'fd\\par}");
    test::FrameFixture f;
    f.platform->fileAnswers.push_back({true, file, 2});
    f->FileOpen1->trigger();
    QCOMPARE(f.captions(), QStringList{file});
    TRichEdit *e = f.editor();
    QCOMPARE(e->toPlainText(), u"Bağlı"_s);
    QVERIFY(!e->Modified());
    QVERIFY(!e->PlainText());
    // The bar mirrors the new document at its caret.
    QCOMPARE(f->ComboBox1->currentText(), u"Courier New"_s);
    QCOMPARE(f->ComboBox2->currentText(), u"14"_s);
    QVERIFY(f->ToolButton23->isChecked());
    QVERIFY(f.platform->unexpected.isEmpty());
}

void TestFileCommands::openTwiceGivesTwoWindows()
{
    const QString file = path(u"iki.txt"_s);
    test::writeFile(file, "aynı dosya\n");
    test::FrameFixture f;
    f.platform->fileAnswers.push_back({true, file, 1});
    f.platform->fileAnswers.push_back({true, file, 1});
    f->FileOpen1->trigger();
    f->FileOpen1->trigger();
    QCOMPARE(f.captions(), (QStringList{file, file}));
    // The second showing starts from the name chosen last.
    QCOMPARE(f.platform->fileDialogs.at(1).fileName, file);
}

void TestFileCommands::contentDecidesFormatNotExtension()
{
    const QString rtfNamedTxt = path(u"bicimli.TXT"_s);
    const QString textNamedRtf = path(u"duz.RTF"_s);
    test::writeFile(rtfNamedTxt, "{\\rtf1\\ansi\\ansicpg1254 {\\b kal\\'fdn} d\\'fcz\\par}");
    test::writeFile(textNamedRtf, "{\\rt değil, düz metin}\r\nikinci satır");
    test::FrameFixture f;
    f->pencere_ac(rtfNamedTxt);
    TRichEdit *e = f.editor();
    QCOMPARE(e->toPlainText(), u"kalın düz"_s);
    e->SetSelStart(1);
    QVERIFY(e->SelAttributes().Style().testFlag(FontStyle::Bold));
    f->pencere_ac(textNamedRtf);
    QCOMPARE(f.editor()->toPlainText(), u"{\\rt değil, düz metin}\nikinci satır"_s);
    QCOMPARE(f.editor()->document()->blockCount(), 2);
}

void TestFileCommands::openFailureKeepsTitledWindow()
{
    // Root reads through permission bits; drop_caches refuses even root.
    const QString file = ::geteuid() == 0 ? u"/proc/sys/vm/drop_caches"_s : path(u"gizli.txt"_s);
    if (::geteuid() != 0) {
        test::writeFile(file, "x");
        QFile::setPermissions(file, {});
    }
    test::FrameFixture f;
    f.platform->fileAnswers.push_back({true, file, 1});
    f->FileOpen1->trigger();
    QCOMPARE(f.captions(), QStringList{file});
    QCOMPARE(f.platform->errorTexts(), QStringList{u"Cannot open file \""_s + file + u"\". Permission denied."_s});
}

void TestFileCommands::openCancelledDoesNothing()
{
    test::FrameFixture f;
    f.platform->fileAnswers.push_back({false, {}, 0});
    f->FileOpen1->trigger();
    QCOMPARE(f->MDIChildCount(), 0);
    QVERIFY(f.platform->boxes.isEmpty());
}

void TestFileCommands::saveWritesRtfUntilSavedAsPlainText()
{
    const QString file = path(u"not.txt"_s);
    test::writeFile(file, "ilk\n");
    test::FrameFixture f;
    f->pencere_ac(file);
    TRichEdit *e = f.editor();
    QTextCursor c(e->document()->firstBlock());
    c.movePosition(QTextCursor::EndOfBlock);
    c.insertText(u" ek"_s);
    f->FileSaveItem->trigger();
    // No dialog: the title names a file, and the format switch is off.
    QVERIFY(f.platform->fileDialogs.isEmpty());
    QVERIFY(isRtfFile(file));
    QVERIFY(!e->Modified());
    QCOMPARE(f.captions(), QStringList{file});

    f.platform->fileAnswers.push_back({true, file, 1});
    f->FileSaveAsItem->trigger();
    QVERIFY(e->PlainText());
    QCOMPARE(test::readAll(file), QByteArray("ilk ek\n"));
    // From now on Save writes plain text, keeping the file's line ending.
    c.insertText(u"\nson"_s);
    f->ToolButton2->click();
    QCOMPARE(test::readAll(file), QByteArray("ilk ek\nson\n"));
}

void TestFileCommands::saveAsExtensionRules_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("rtf");
    QTest::newRow("no dot, text filter") << u"mektup"_s << 1 << u"mektup.TXT"_s << false;
    QTest::newRow("no dot, rich-text filter") << u"mektup"_s << 2 << u"mektup.RTF"_s << true;
    QTest::newRow("RTF name, text filter") << u"rapor.RTF"_s << 1 << u"rapor.RTF"_s << false;
    QTest::newRow("TXT name, rich-text filter") << u"rapor.txt"_s << 2 << u"rapor.txt"_s << true;
    QTest::newRow("dot in folder name") << u"v1.2/mektup"_s << 2 << u"v1.2/mektup"_s << true;
    QTest::newRow("trailing dot") << u"son."_s << 1 << u"son."_s << false;
}

void TestFileCommands::saveAsExtensionRules()
{
    QFETCH(QString, chosen);
    QFETCH(int, filter);
    QFETCH(QString, written);
    QFETCH(bool, rtf);
    QDir(m_tmp->path()).mkpath(u"v1.2"_s);
    test::FrameFixture f;
    type(f.newDocument()->RichEdit1, u"içerik"_s);
    f.platform->fileAnswers.push_back({true, path(chosen), filter});
    f->FileSaveAsItem->trigger();
    QVERIFY(f.platform->errorTexts().isEmpty());
    QCOMPARE(f.captions(), QStringList{path(written)});
    QCOMPARE(f->save1.fileName, path(written));
    QCOMPARE(isRtfFile(path(written)), rtf);
    if (!rtf)
        QCOMPARE(test::readAll(path(written)), u"içerik"_s.toUtf8());
    QCOMPARE(f.editor()->PlainText(), !rtf);
    QVERIFY(!f.editor()->Modified());
    QVERIFY(!f->ActiveMDIChild()->IsUntitled());
}

void TestFileCommands::saveAsConfirmsExtendedNameThatExists()
{
    test::writeFile(path(u"var.TXT"_s), "eski içerik");
    test::FrameFixture f;
    type(f.newDocument()->RichEdit1, u"yeni"_s);
    // The dialog asked about "var"; "var.TXT" is asked about again.
    f.platform->fileAnswers.push_back({true, path(u"var"_s), 1});
    f.platform->boxAnswers.push_back(QMessageBox::No);
    f->FileSaveAsItem->trigger();
    QCOMPARE(test::readAll(path(u"var.TXT"_s)), QByteArray("eski içerik"));
    QCOMPARE(f.platform->boxTexts(), QStringList{path(u"var.TXT"_s) + u" zaten var.\nDeğiştirmek istiyor musunuz?"_s});
    QCOMPARE(f.captions(), QStringList{u"ADSIZ1"_s});
    QVERIFY(f.editor()->Modified());

    f.platform->fileAnswers.push_back({true, path(u"var"_s), 1});
    f.platform->boxAnswers.push_back(QMessageBox::Yes);
    f->FileSaveAsItem->trigger();
    QCOMPARE(test::readAll(path(u"var.TXT"_s)), QByteArray("yeni"));
    QCOMPARE(f.captions(), QStringList{path(u"var.TXT"_s)});
}

void TestFileCommands::saveDialogRemembersNameAndFilter()
{
    test::FrameFixture f;
    f.newDocument();
    f.platform->fileAnswers.push_back({true, path(u"bir"_s), 2});
    f->FileSaveAsItem->trigger();
    f.newDocument();
    f.platform->fileAnswers.push_back({false, {}, 0});
    f->FileSaveItem->trigger();
    QCOMPARE(f.platform->fileDialogs.size(), 2);
    // The extension the program appended is part of the remembered name.
    QCOMPARE(f.platform->fileDialogs[1].fileName, path(u"bir.RTF"_s));
    QCOMPARE(f.platform->fileDialogs[1].filterIndex, 2);
    QCOMPARE(f.platform->fileDialogs[1].title, u"Kaydet"_s);
}

void TestFileCommands::saveOfDeletedFileShowsDialog()
{
    const QString file = path(u"gidecek.rtf"_s);
    test::writeFile(file, "{\\rtf1 x\\par}");
    test::FrameFixture f;
    f->pencere_ac(file);
    type(f.editor(), u"y"_s);
    QFile::remove(file);
    const QString other = path(u"yerine.rtf"_s);
    f.platform->fileAnswers.push_back({true, other, 2});
    f->FileSaveItem->trigger();
    QCOMPARE(f.platform->fileDialogs.size(), 1);
    QVERIFY(!QFile::exists(file));
    QVERIFY(isRtfFile(other));
    QCOMPARE(f.captions(), QStringList{other});
}

void TestFileCommands::saveToReadOnlyFileChangesNothing()
{
    const QString file = path(u"korumalı.rtf"_s);
    const QByteArray original = "{\\rtf1\\ansi eski\\par}";
    test::writeFile(file, original);
    test::FrameFixture f;
    f->pencere_ac(file);
    TRichEdit *e = f.editor();
    type(e, u"değişiklik "_s);
    QVERIFY(test::makeUnwritable(file));
    f->FileSaveItem->trigger();
    test::makeWritable(file);
    QCOMPARE(test::readAll(file), original);
    QCOMPARE(f.platform->errorTexts().size(), 1);
    QVERIFY2(f.platform->errorTexts().first().startsWith(u"Cannot create file \""_s + file + u"\". "_s),
             qPrintable(f.platform->errorTexts().first()));
    QVERIFY(e->Modified());
    QCOMPARE(f.captions(), QStringList{file});
    // No stray temporary files beside it.
    QCOMPARE(QDir(m_tmp->path()).entryList(QDir::Files), QStringList{u"korumalı.rtf"_s});
}

void TestFileCommands::saveAsFailureKeepsTitle()
{
    test::FrameFixture f;
    type(f.newDocument()->RichEdit1, u"metin"_s);
    f.platform->fileAnswers.push_back({true, path(u"yok/klasör/ad"_s), 1});
    f->FileSaveAsItem->trigger();
    QCOMPARE(f.platform->errorTexts().size(), 1);
    QVERIFY(f.platform->errorTexts().first().startsWith(u"Cannot create file \""_s));
    QCOMPARE(f.captions(), QStringList{u"ADSIZ1"_s});
    QVERIFY(f.editor()->Modified());
    QVERIFY(f->ActiveMDIChild()->IsUntitled());
    // The steps before the write happened: the name got its extension and
    // the format switch follows the filter.
    QCOMPARE(f->save1.fileName, path(u"yok/klasör/ad.TXT"_s));
    QVERIFY(f.editor()->PlainText());
}

void TestFileCommands::turkishSurvivesSaveAndOpen()
{
    const QString text = u"Iğdır'da ılık şüphe; İstanbul ÇÖĞÜŞİ ıi"_s;
    for (int filter : {1, 2}) {
        test::FrameFixture f;
        TRichEdit *e = f.newDocument()->RichEdit1;
        type(e, text);
        const QString file = path(u"tr"_s + QString::number(filter));
        f.platform->fileAnswers.push_back({true, file, filter});
        f->FileSaveAsItem->trigger();
        const QString saved = f.captions().first();
        f->pencere_ac(saved);
        QCOMPARE(f.editor()->toPlainText(), text);
    }
}

void TestFileCommands::copyPasteKeepsFormatting()
{
    test::FrameFixture f;
    TRichEdit *e = f.newDocument()->RichEdit1;
    type(e, u"girintili kalın"_s);
    e->selectAll();
    e->SelAttributes().SetStyle(FontStyle::Bold);
    e->Paragraph().SetFirstIndent(15);
    e->Paragraph().SetRightIndent(7);
    e->copy();
    TRichEdit *other = f.newDocument()->RichEdit1;
    other->paste();
    QCOMPARE(other->toPlainText().trimmed(), u"girintili kalın"_s);
    other->SetSelStart(2);
    QVERIFY(other->SelAttributes().Style().testFlag(FontStyle::Bold));
    QCOMPARE(other->Paragraph().FirstIndent(), 15);
    QCOMPARE(other->Paragraph().RightIndent(), 7);
}

void TestFileCommands::exitPassNothingToAsk()
{
    test::FrameFixture f;
    f.newDocument();
    f.newDocument();
    QVERIFY(f->FormClose(nullptr));
    QVERIFY(f.platform->boxes.isEmpty());
    test::FrameFixture g;
    g->close();
    QVERIFY(!g->isVisible());
}

void TestFileCommands::exitPassVisitsFromActiveAndCancelKeepsRest()
{
    const QString cFile = path(u"c.rtf"_s);
    test::writeFile(cFile, "{\\rtf1 c\\par}");
    test::FrameFixture f;
    TRichEdit *a = f.newDocument()->RichEdit1; // ADSIZ1, changed
    type(a, u"a"_s);
    f.newDocument();                           // ADSIZ2, unchanged
    f->pencere_ac(cFile);                      // the active one, changed
    type(f.editor(), u"c değişti "_s);
    f.platform->boxAnswers = {QMessageBox::Yes, QMessageBox::Cancel};
    f->FileExitItem->trigger(); // closes the frame, which runs the pass
    test::FrameFixture::settle();
    // The active document first, then on in the frame's order; the unchanged
    // one is passed without a question.
    QCOMPARE(f.platform->boxTexts(), (QStringList{cFile + kQuestion, u"ADSIZ1"_s + kQuestion}));
    QVERIFY(f->isVisible());
    QCOMPARE(f.captions(), (QStringList{u"ADSIZ1"_s, u"ADSIZ2"_s}));
    QVERIFY(a->Modified());
    QVERIFY(test::readAll(cFile).contains("c de"));
}

void TestFileCommands::exitPassRepeatsQuestionAfterCancelledDialog()
{
    test::FrameFixture f;
    type(f.newDocument()->RichEdit1, u"isimsiz"_s);
    f.platform->boxAnswers = {QMessageBox::Yes, QMessageBox::Yes};
    f.platform->fileAnswers.push_back({false, {}, 0});
    f.platform->fileAnswers.push_back({true, path(u"sonunda"_s), 1});
    QVERIFY(f->FormClose(nullptr));
    QCOMPARE(f.platform->boxTexts(), (QStringList{u"ADSIZ1"_s + kQuestion, u"ADSIZ1"_s + kQuestion}));
    // Saved exactly under the name chosen, in the document's own format (RTF).
    QVERIFY(isRtfFile(path(u"sonunda"_s)));
    QVERIFY(!QFile::exists(path(u"sonunda.TXT"_s)));
    test::FrameFixture::settle();
    QCOMPARE(f->MDIChildCount(), 0);
}

void TestFileCommands::exitPassNoDropsChangesAndCloses()
{
    test::FrameFixture f;
    type(f.newDocument()->RichEdit1, u"bir"_s);
    type(f.newDocument()->RichEdit1, u"iki"_s);
    f.platform->boxAnswers = {QMessageBox::No, QMessageBox::No};
    f->close();
    QVERIFY(!f->isVisible());
    QCOMPARE(f.platform->boxes.size(), 2);
    QVERIFY(QDir(m_tmp->path()).entryList(QDir::Files).isEmpty());
}

void TestFileCommands::exitPassFailedWriteKeepsFrameOpen()
{
    const QString file = path(u"kilitli.txt"_s);
    test::writeFile(file, "kilitli\n");
    test::FrameFixture f;
    type(f.newDocument()->RichEdit1, u"diğeri"_s);
    f->pencere_ac(file);
    type(f.editor(), u"x"_s);
    QVERIFY(test::makeUnwritable(file));
    f.platform->boxAnswers = {QMessageBox::Yes};
    f->close();
    test::makeWritable(file);
    QVERIFY(f->isVisible());
    QCOMPARE(f.platform->boxes.size(), 2); // the question, then the error box
    QCOMPARE(f.platform->errorTexts().size(), 1);
    QCOMPARE(f->MDIChildCount(), 2);
    QCOMPARE(test::readAll(file), QByteArray("kilitli\n"));
}

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
