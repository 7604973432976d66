// The file commands: Open, Save, Save As and the exit pass, with real files
// and the real formats underneath; every prompt answered by the script.

#include "FileHelpers.h"
#include "HostFixture.h"

#include "base/ui/Guard.h"

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
    test::HostFixture f;
    QCOMPARE(f.open.title, u"Aç"_s);
    QCOMPARE(f.open.filters.size(), 2);
    QCOMPARE(f.open.filters[0], std::make_pair(u"Text Dosyası"_s, u"*.Txt"_s));
    QCOMPARE(f.open.filters[1], std::make_pair(u"Zengin Metin Dosyası"_s, u"*.Rtf"_s));
    QCOMPARE(f.open.defaultExt, u"TXT"_s);
    QVERIFY(f.open.fileMustExist);
    QCOMPARE(f.save.title, u"Kaydet"_s);
    QCOMPARE(f.save.filters[0], std::make_pair(u"Txt Dosyası"_s, u"*.Txt"_s));
    QCOMPARE(f.save.filters[1], std::make_pair(u"Zengin Metin Dosyası"_s, u"*.Rtf"_s));
    QVERIFY(f.save.defaultExt.isEmpty());
    QVERIFY(f.save.overwritePrompt);
}

void TestFileCommands::openLoadsIntoTitledUnmodifiedWindow()
{
    const QString file = path(u"kalın.rtf"_s);
    test::writeFile(file, "{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0 Courier New;}}\\f0\\fs28\\qc\\b Ba\\'f0l\\'fd\\par}");
    test::HostFixture f;
    f.platform->fileAnswers.push_back({true, file, 2});
    f.files.open();
    QCOMPARE(f.captions(), QStringList{file});
    TRichEdit *e = f.editor();
    QCOMPARE(e->toPlainText(), u"Bağlı"_s);
    QVERIFY(!e->Modified());
    QVERIFY(!e->PlainText());
    // The caret at the first character, and the bar asked to mirror it.
    QCOMPARE(e->textCursor().position(), 0);
    QCOMPARE(f.refreshes, 1);
    QVERIFY(f.platform->unexpected.isEmpty());
}

void TestFileCommands::openTwiceGivesTwoWindows()
{
    const QString file = path(u"iki.txt"_s);
    test::writeFile(file, "aynı dosya\n");
    test::HostFixture f;
    f.platform->fileAnswers.push_back({true, file, 1});
    f.platform->fileAnswers.push_back({true, file, 1});
    f.files.open();
    f.files.open();
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
    test::HostFixture f;
    f.files.openWindow(rtfNamedTxt);
    TRichEdit *e = f.editor();
    QCOMPARE(e->toPlainText(), u"kalın düz"_s);
    e->SetSelStart(1);
    QVERIFY(e->SelAttributes().Style().testFlag(FontStyle::Bold));
    f.files.openWindow(textNamedRtf);
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
    test::HostFixture f;
    f.platform->fileAnswers.push_back({true, file, 1});
    QVERIFY(!guarded([&] { f.files.open(); })); // the error reaches the guard
    QCOMPARE(f.captions(), QStringList{file});
    QCOMPARE(f.platform->errorTexts(), QStringList{u"Cannot open file \""_s + file + u"\". Permission denied."_s});
}

void TestFileCommands::openCancelledDoesNothing()
{
    test::HostFixture f;
    f.platform->fileAnswers.push_back({false, {}, 0});
    f.files.open();
    QCOMPARE(f.count(), 0);
    QVERIFY(f.platform->boxes.isEmpty());
}

void TestFileCommands::saveWritesRtfUntilSavedAsPlainText()
{
    const QString file = path(u"not.txt"_s);
    test::writeFile(file, "ilk\n");
    test::HostFixture f;
    f.files.openWindow(file);
    TRichEdit *e = f.editor();
    QTextCursor c(e->document()->firstBlock());
    c.movePosition(QTextCursor::EndOfBlock);
    c.insertText(u" ek"_s);
    f.files.save();
    // No dialog: the title names a file, and the format switch is off.
    QVERIFY(f.platform->fileDialogs.isEmpty());
    QVERIFY(isRtfFile(file));
    QVERIFY(!e->Modified());
    QCOMPARE(f.captions(), QStringList{file});

    f.platform->fileAnswers.push_back({true, file, 1});
    f.files.saveAs();
    QVERIFY(e->PlainText());
    QCOMPARE(test::readAll(file), QByteArray("ilk ek\n"));
    // From now on Save writes plain text, keeping the file's line ending.
    c.insertText(u"\nson"_s);
    f.files.save();
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
    test::HostFixture f;
    type(f.newDocument()->RichEdit1, u"içerik"_s);
    f.platform->fileAnswers.push_back({true, path(chosen), filter});
    f.files.saveAs();
    QVERIFY(f.platform->errorTexts().isEmpty());
    QCOMPARE(f.captions(), QStringList{path(written)});
    QCOMPARE(f.save.fileName, path(written));
    QCOMPARE(isRtfFile(path(written)), rtf);
    if (!rtf)
        QCOMPARE(test::readAll(path(written)), u"içerik"_s.toUtf8());
    QCOMPARE(f.editor()->PlainText(), !rtf);
    QVERIFY(!f.editor()->Modified());
    QVERIFY(!f.activeDocument()->IsUntitled());
}

void TestFileCommands::saveAsConfirmsExtendedNameThatExists()
{
    test::writeFile(path(u"var.TXT"_s), "eski içerik");
    test::HostFixture f;
    type(f.newDocument()->RichEdit1, u"yeni"_s);
    // The dialog asked about "var"; "var.TXT" is asked about again.
    f.platform->fileAnswers.push_back({true, path(u"var"_s), 1});
    f.platform->boxAnswers.push_back(QMessageBox::No);
    f.files.saveAs();
    QCOMPARE(test::readAll(path(u"var.TXT"_s)), QByteArray("eski içerik"));
    QCOMPARE(f.platform->boxTexts(), QStringList{path(u"var.TXT"_s) + u" zaten var.\nDeğiştirmek istiyor musunuz?"_s});
    QCOMPARE(f.captions(), QStringList{u"ADSIZ1"_s});
    QVERIFY(f.editor()->Modified());

    f.platform->fileAnswers.push_back({true, path(u"var"_s), 1});
    f.platform->boxAnswers.push_back(QMessageBox::Yes);
    f.files.saveAs();
    QCOMPARE(test::readAll(path(u"var.TXT"_s)), QByteArray("yeni"));
    QCOMPARE(f.captions(), QStringList{path(u"var.TXT"_s)});
}

void TestFileCommands::saveDialogRemembersNameAndFilter()
{
    test::HostFixture f;
    f.newDocument();
    f.platform->fileAnswers.push_back({true, path(u"bir"_s), 2});
    f.files.saveAs();
    f.newDocument();
    f.platform->fileAnswers.push_back({false, {}, 0});
    f.files.save();
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
    test::HostFixture f;
    f.files.openWindow(file);
    type(f.editor(), u"y"_s);
    QFile::remove(file);
    const QString other = path(u"yerine.rtf"_s);
    f.platform->fileAnswers.push_back({true, other, 2});
    f.files.save();
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
    test::HostFixture f;
    f.files.openWindow(file);
    TRichEdit *e = f.editor();
    type(e, u"değişiklik "_s);
    QVERIFY(test::makeUnwritable(file));
    QVERIFY(!guarded([&] { f.files.save(); })); // the error reaches the guard
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
    test::HostFixture f;
    type(f.newDocument()->RichEdit1, u"metin"_s);
    f.platform->fileAnswers.push_back({true, path(u"yok/klasör/ad"_s), 1});
    QVERIFY(!guarded([&] { f.files.saveAs(); })); // the error reaches the guard
    QCOMPARE(f.platform->errorTexts().size(), 1);
    QVERIFY(f.platform->errorTexts().first().startsWith(u"Cannot create file \""_s));
    QCOMPARE(f.captions(), QStringList{u"ADSIZ1"_s});
    QVERIFY(f.editor()->Modified());
    QVERIFY(f.activeDocument()->IsUntitled());
    // The steps before the write happened: the name got its extension and
    // the format switch follows the filter.
    QCOMPARE(f.save.fileName, path(u"yok/klasör/ad.TXT"_s));
    QVERIFY(f.editor()->PlainText());
}

void TestFileCommands::turkishSurvivesSaveAndOpen()
{
    const QString text = u"Iğdır'da ılık şüphe; İstanbul ÇÖĞÜŞİ ıi"_s;
    for (int filter : {1, 2}) {
        test::HostFixture f;
        TRichEdit *e = f.newDocument()->RichEdit1;
        type(e, text);
        const QString file = path(u"tr"_s + QString::number(filter));
        f.platform->fileAnswers.push_back({true, file, filter});
        f.files.saveAs();
        const QString saved = f.captions().first();
        f.files.openWindow(saved);
        QCOMPARE(f.editor()->toPlainText(), text);
    }
}

void TestFileCommands::copyPasteKeepsFormatting()
{
    test::HostFixture f;
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
    test::HostFixture f;
    f.newDocument();
    f.newDocument();
    QVERIFY(f.files.exitPass());
    QVERIFY(f.platform->boxes.isEmpty());
}

void TestFileCommands::exitPassVisitsFromActiveAndCancelKeepsRest()
{
    const QString cFile = path(u"c.rtf"_s);
    test::writeFile(cFile, "{\\rtf1 c\\par}");
    test::HostFixture f;
    TRichEdit *a = f.newDocument()->RichEdit1; // ADSIZ1, changed
    type(a, u"a"_s);
    f.newDocument();                           // ADSIZ2, unchanged
    f.files.openWindow(cFile);                      // the active one, changed
    type(f.editor(), u"c değişti "_s);
    f.platform->boxAnswers = {QMessageBox::Yes, QMessageBox::Cancel};
    QVERIFY(!f.files.exitPass()); // Cancel: the frame must stay open
    test::HostFixture::settle();
    // The active document first, then on in the frame's order; the unchanged
    // one is passed without a question.
    QCOMPARE(f.platform->boxTexts(), (QStringList{cFile + kQuestion, u"ADSIZ1"_s + kQuestion}));
    QCOMPARE(f.captions(), (QStringList{u"ADSIZ1"_s, u"ADSIZ2"_s}));
    QVERIFY(a->Modified());
    QVERIFY(test::readAll(cFile).contains("c de"));
}

void TestFileCommands::exitPassRepeatsQuestionAfterCancelledDialog()
{
    test::HostFixture f;
    type(f.newDocument()->RichEdit1, u"isimsiz"_s);
    f.platform->boxAnswers = {QMessageBox::Yes, QMessageBox::Yes};
    f.platform->fileAnswers.push_back({false, {}, 0});
    f.platform->fileAnswers.push_back({true, path(u"sonunda"_s), 1});
    QVERIFY(f.files.exitPass());
    QCOMPARE(f.platform->boxTexts(), (QStringList{u"ADSIZ1"_s + kQuestion, u"ADSIZ1"_s + kQuestion}));
    // Saved exactly under the name chosen, in the document's own format (RTF).
    QVERIFY(isRtfFile(path(u"sonunda"_s)));
    QVERIFY(!QFile::exists(path(u"sonunda.TXT"_s)));
    test::HostFixture::settle();
    QCOMPARE(f.count(), 0);
}

void TestFileCommands::exitPassNoDropsChangesAndCloses()
{
    test::HostFixture f;
    type(f.newDocument()->RichEdit1, u"bir"_s);
    type(f.newDocument()->RichEdit1, u"iki"_s);
    f.platform->boxAnswers = {QMessageBox::No, QMessageBox::No};
    QVERIFY(f.files.exitPass());
    QCOMPARE(f.platform->boxes.size(), 2);
    QVERIFY(QDir(m_tmp->path()).entryList(QDir::Files).isEmpty());
}

void TestFileCommands::exitPassFailedWriteKeepsFrameOpen()
{
    const QString file = path(u"kilitli.txt"_s);
    test::writeFile(file, "kilitli\n");
    test::HostFixture f;
    type(f.newDocument()->RichEdit1, u"diğeri"_s);
    f.files.openWindow(file);
    type(f.editor(), u"x"_s);
    QVERIFY(test::makeUnwritable(file));
    f.platform->boxAnswers = {QMessageBox::Yes};
    // The error reaches the guard, and the frame stays open.
    QVERIFY(!guarded([&] { QVERIFY(!f.files.exitPass()); }));
    test::makeWritable(file);
    QCOMPARE(f.platform->boxes.size(), 2); // the question, then the error box
    QCOMPARE(f.platform->errorTexts().size(), 1);
    QCOMPARE(f.count(), 2);
    QCOMPARE(test::readAll(file), QByteArray("kilitli\n"));
}

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
