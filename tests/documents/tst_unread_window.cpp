// A window whose file Open could not read keeps the path as its title, but
// writes there only when the user chooses that path again in the save dialog:
// every way of writing goes through the dialog, opened on that file. The
// scripted dialog accepting a name stands for the user confirming the
// dialog's question about replacing it.

#include "FileHelpers.h"
#include "FrameFixture.h"

#include <QComboBox>
#include <QFileInfo>
#include <QToolButton>

#include <unistd.h>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

// One line a paragraph, more than the editor can show at any width: Open
// refuses the file with "Failed to Load Stream."
QByteArray tooManyParagraphs()
{
    static const QByteArray text = [] {
        QByteArray t;
        t.reserve(1200000 * 9);
        for (int i = 0; i < 1200000; ++i)
            t += "s" + QByteArray::number(i) + "\n";
        return t;
    }();
    return text;
}

enum class Way { CtrlS, SaveButton, SaveAs, CloseYes, ExitYes };
enum class Choice { Cancel, SameFile, OtherFile };

// Opens path through the open dialog, as Ctrl+O does; the script answers the error box.
void openRefused(test::FrameFixture &f, const QString &path)
{
    f.platform->fileAnswers.push_back({true, path, 1});
    f->FileOpen1->trigger();
}

void write(test::FrameFixture &f, Way way)
{
    TRichEdit *e = f.editor();
    f->Timer1Timer(nullptr); // the 200 ms tick enables the save commands
    f->updateActions();
    switch (way) {
    case Way::CtrlS:
        QTest::keyClick(e, Qt::Key_S, Qt::ControlModifier);
        break;
    case Way::SaveButton:
        f->ToolButton2->click();
        break;
    case Way::SaveAs:
        f->FileSaveAsItem->trigger();
        break;
    case Way::CloseYes:
        QTest::keyClick(e, Qt::Key_W, Qt::ControlModifier);
        break;
    case Way::ExitYes:
        f->FileExit1->trigger();
        break;
    }
    test::FrameFixture::settle();
}

} // namespace

class TestUnreadWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void eachWayOfWritingAsksBeforeReplacingTheFile_data();
    void eachWayOfWritingAsksBeforeReplacingTheFile();
    void eachFailedReadLeavesAWindowThatAsks_data();
    void eachFailedReadLeavesAWindowThatAsks();

private:
    std::unique_ptr<test::ScopedWorkFolder> m_tmp;
};

void TestUnreadWindow::init()
{
    m_tmp = std::make_unique<test::ScopedWorkFolder>();
    QVERIFY(m_tmp->isValid());
}

void TestUnreadWindow::cleanup()
{
    m_tmp.reset();
}

void TestUnreadWindow::eachWayOfWritingAsksBeforeReplacingTheFile_data()
{
    QTest::addColumn<Way>("way");
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<int>("windowsLeft"); // in the frame, also a closed one
    QTest::newRow("Ctrl+S, dialog cancelled") << Way::CtrlS << Choice::Cancel << 1;
    QTest::newRow("Ctrl+S, replacing confirmed") << Way::CtrlS << Choice::SameFile << 1;
    QTest::newRow("Ctrl+S, another name") << Way::CtrlS << Choice::OtherFile << 1;
    QTest::newRow("Kaydet button, dialog cancelled") << Way::SaveButton << Choice::Cancel << 1;
    QTest::newRow("Kaydet button, replacing confirmed") << Way::SaveButton << Choice::SameFile << 1;
    QTest::newRow("Farklı Kaydet, dialog cancelled") << Way::SaveAs << Choice::Cancel << 1;
    QTest::newRow("Farklı Kaydet, replacing confirmed") << Way::SaveAs << Choice::SameFile << 1;
    QTest::newRow("Evet on Ctrl+W, dialog cancelled") << Way::CloseYes << Choice::Cancel << 1;
    QTest::newRow("Evet on Ctrl+W, replacing confirmed") << Way::CloseYes << Choice::SameFile << 0;
    QTest::newRow("Evet on Ctrl+W, another name") << Way::CloseYes << Choice::OtherFile << 0;
    QTest::newRow("Evet in the exit pass, dialog cancelled") << Way::ExitYes << Choice::Cancel << 1;
    QTest::newRow("Evet in the exit pass, replacing confirmed") << Way::ExitYes << Choice::SameFile << 0;
}

void TestUnreadWindow::eachWayOfWritingAsksBeforeReplacingTheFile()
{
    QFETCH(Way, way);
    QFETCH(Choice, choice);
    QFETCH(int, windowsLeft);
    const QString file = m_tmp->filePath(u"kayitlar.log"_s);
    const QString other = m_tmp->filePath(u"yeni.rtf"_s);
    test::writeFile(file, tooManyParagraphs());
    test::FrameFixture f;
    openRefused(f, file);
    QCOMPARE(f.platform->errorTexts(), QStringList{u"Failed to Load Stream."_s});
    QCOMPARE(f.captions(), QStringList{file});
    TMDIchild *child = f->ActiveMDIChild();
    QTest::keyClicks(f.editor(), u"yeni"_s);

    if (way == Way::CloseYes || way == Way::ExitYes)
        f.platform->boxAnswers.push_back(QMessageBox::Yes);
    if (choice == Choice::Cancel) {
        f.platform->fileAnswers.push_back({false, {}, 0});
        if (way == Way::ExitYes) // the question comes again: keep the changes unsaved
            f.platform->boxAnswers.push_back(QMessageBox::No);
    } else {
        f.platform->fileAnswers.push_back({true, choice == Choice::SameFile ? file : other, 2});
    }
    write(f, way);

    const QByteArray now = test::readAll(file);
    if (choice == Choice::SameFile) {
        QVERIFY(now.startsWith("{\\rtf"));
        QVERIFY(now.contains("yeni"));
    } else {
        QCOMPARE(now.size(), tooManyParagraphs().size());
        QVERIFY(now == tooManyParagraphs());
    }
    // The save dialog opened on the unread file's folder and name.
    QCOMPARE(f.platform->fileDialogs.size(), 2);
    QCOMPARE(f.platform->fileDialogs.at(1).title, u"Kaydet"_s);
    QCOMPARE(f.platform->fileDialogs.at(1).fileName, file);
    QCOMPARE(f.platform->errorTexts().size(), 1);
    QCOMPARE(QFileInfo::exists(other), choice == Choice::OtherFile);
    // The exit pass ends with the frame closed.
    QCOMPARE(f->isVisible(), way != Way::ExitYes);
    QCOMPARE(f->MDIChildCount(), windowsLeft);
    if (!f->isVisible() || windowsLeft == 0)
        return;

    if (choice == Choice::Cancel) {
        // Still unread: the next Save asks again.
        QVERIFY(child->RichEdit1->Modified());
        f.platform->fileAnswers.push_back({false, {}, 0});
        write(f, Way::CtrlS);
        QCOMPARE(f.platform->fileDialogs.size(), 3);
        QVERIFY(test::readAll(file) == tooManyParagraphs());
        return;
    }
    // Saved through the dialog: a titled document like any other, which
    // Save writes without asking.
    const QString saved = choice == Choice::SameFile ? file : other;
    QCOMPARE(f.captions(), QStringList{saved});
    QVERIFY(!child->RichEdit1->Modified());
    QTest::keyClicks(f.editor(), u"son"_s);
    write(f, Way::CtrlS);
    QCOMPARE(f.platform->fileDialogs.size(), 2);
    QVERIFY(test::readAll(saved).contains("yenison"));
}

void TestUnreadWindow::eachFailedReadLeavesAWindowThatAsks_data()
{
    QTest::addColumn<QString>("file"); // empty: a file of too many paragraphs in the work folder
    QTest::addColumn<QString>("error");
    QTest::newRow("too many paragraphs") << QString() << u"Failed to Load Stream."_s;
    // Root reads through permission bits; drop_caches refuses even root.
    if (::geteuid() == 0)
        QTest::newRow("unreadable") << u"/proc/sys/vm/drop_caches"_s
                                    << u"Cannot open file \"/proc/sys/vm/drop_caches\". Permission denied."_s;
    else
        QTest::newRow("unreadable") << u"gizli.txt"_s << u"Cannot open file \"%1\". Permission denied."_s;
    // Opens, but reading its first page of memory fails (nothing is mapped there).
    QTest::newRow("read error") << u"/proc/self/mem"_s << u"Failed to Load Stream."_s;
}

void TestUnreadWindow::eachFailedReadLeavesAWindowThatAsks()
{
    QFETCH(QString, file);
    QFETCH(QString, error);
    QByteArray before;
    if (file.isEmpty()) {
        file = m_tmp->filePath(u"satirlar.txt"_s);
        before = tooManyParagraphs();
        test::writeFile(file, before);
    } else if (QFileInfo(file).isRelative()) {
        file = m_tmp->filePath(file);
        before = "gizli";
        test::writeFile(file, before);
        QFile::setPermissions(file, {});
    }
    QVERIFY(QFileInfo(file).isFile());
    test::FrameFixture f;
    openRefused(f, file);
    if (error.contains(u"%1"_s))
        error = error.arg(file);
    QCOMPARE(f.platform->errorTexts(), QStringList{error});
    QCOMPARE(f.captions(), QStringList{file});
    QCOMPARE(f.editor()->TextLength(), 0);
    // The boxes show the empty editor's formatting.
    QCOMPARE(f->ComboBox1->currentText(), u"Arial"_s);
    QCOMPARE(f->ComboBox2->currentText(), u"12"_s);

    // Save shows the dialog on the file instead of writing over it (the
    // kernel's files cannot be read back: there the dialog is the proof).
    f.platform->fileAnswers.push_back({false, {}, 0});
    write(f, Way::CtrlS);
    if (!before.isEmpty()) {
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(test::readAll(file) == before);
    }
    QCOMPARE(f.platform->fileDialogs.size(), 2);
    QCOMPARE(f.platform->fileDialogs.at(1).fileName, file);
    QCOMPARE(f.platform->errorTexts().size(), 1);
    // Cancelled: the next showing starts from the name chosen last.
    QCOMPARE(f->saveDialog().fileName, QString());
}

QTEST_MAIN(TestUnreadWindow)
#include "tst_unread_window.moc"
