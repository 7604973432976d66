// The about box opened from the frame's Help menu: Hakknda1Click hands over
// the frame's caption, a copy of ImageTitle's picture and the program name,
// and KvAbout1 carries its own banner picture and team lines.

#include "FrameFixture.h"
#include "about/KvAbout.h"
#include "about/aboutU.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

using namespace kelmora;
using namespace Qt::StringLiterals;

class TestAboutFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void designTimeSettings();
    void helpMenuShowsTheBox_data();
    void helpMenuShowsTheBox();
};

void TestAboutFrame::designTimeSettings()
{
    test::FrameFixture f;
    about::TKvAbout *about = f->KvAbout1;
    QVERIFY(about);
    QCOMPARE(about->parent(), f.get());
    QCOMPARE(about->Picture().size(), QSize(140, 440));
    const QStringList team = about->Team();
    QCOMPARE(team.size(), 40);
    // Headings, each followed by a blank line, the names with a blank after
    // each, two more blanks after each section; the slogan and a blank last.
    QCOMPARE(team.at(0), u"Project Manager"_s);
    QCOMPARE(team.at(6), u"Programmers"_s);
    QCOMPARE(team.at(22), u"Beta Grubu"_s);
    QCOMPARE(team.at(30), u"Kalite Kontrol"_s);
    for (int i : {1, 3, 4, 5, 7, 21, 23, 29, 31, 37, 39})
        QVERIFY2(team.at(i).isEmpty(), qPrintable(QString::number(i)));
    QVERIFY(!team.at(38).isEmpty());
    QVERIFY(f->ImageTitle->isHidden());
    QCOMPARE(f->ImageTitle->pixmap().size(), QSize(79, 51));
}

// The box carries the frame's own caption, not the title bar's text, which Qt
// extends with the document's title while a document window is maximized.
void TestAboutFrame::helpMenuShowsTheBox_data()
{
    QTest::addColumn<QString>("document"); // "", "normal", "maximized"
    QTest::addColumn<QString>("titleBar");
    QTest::newRow("no document") << QString() << u"TORVANTA Kelmora s1.06"_s;
    QTest::newRow("a document window") << u"normal"_s << u"TORVANTA Kelmora s1.06"_s;
    QTest::newRow("a maximized document window") << u"maximized"_s << u"TORVANTA Kelmora s1.06 - [ADSIZ1]"_s;
}

void TestAboutFrame::helpMenuShowsTheBox()
{
    QFETCH(QString, document);
    QFETCH(QString, titleBar);
    test::FrameFixture f;
    f->FormShow(f.get());
    if (!document.isEmpty()) {
        TMDIchild *child = f.newDocument();
        if (document == u"maximized"_s)
            child->subWindow()->showMaximized();
        QApplication::processEvents();
    }
    QCOMPARE(f->windowTitle(), titleBar);
    bool shown = false;
    QString caption;
    QTimer::singleShot(0, f.get(), [&] {
        QTRY_VERIFY(about::AboutF && about::AboutF->isVisible());
        about::TAboutF &box = *about::AboutF;
        shown = true;
        caption = box.windowTitle();
        QCOMPARE(box.RxLabel4->text(), u"Kelmora s1.06"_s);
        QCOMPARE(box.SecretPanel1->Lines().constFirst(), u"Kelmora s1.06"_s);
        QCOMPARE(box.StatusPanel0->text(), u"TORVANTA Kelmora s1.06"_s);
        QCOMPARE(box.SecretPanel2->Lines(), f->KvAbout1->Team());
        QCOMPARE(box.Image1->picture(), f->KvAbout1->Picture());
        box.close();
    });
    f->Hakknda1->trigger();
    QVERIFY(shown);
    QCOMPARE(caption, u"TORVANTA Kelmora s1.06"_s);
    QCOMPARE(about::AboutF, nullptr);
    // What the frame handed over stays with the component.
    QCOMPARE(f->KvAbout1->Caption(), u"TORVANTA Kelmora s1.06"_s);
    QCOMPARE(f->KvAbout1->ProgramName(), u"Kelmora s1.06"_s);
    const QImage title = f->ImageTitle->pixmap().toImage();
    QCOMPARE(f->KvAbout1->TopPicture(), title);
    QVERIFY(f.platform->errorTexts().isEmpty());
}

QTEST_MAIN(TestAboutFrame)
#include "tst_aboutframe.moc"
