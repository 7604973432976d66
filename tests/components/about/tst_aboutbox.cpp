// The about component and its dialog: the properties, Execute's steps, the
// controls at their places and in their faces, the memory figures, the team
// panel's flip by real key events and clicks, closing, reopening, the shell
// launches, the JPEG decoder, and no panel thread left once the box is gone.

#include "base/Exceptions.h"
#include "FakeStepClock.h"
#include "about/JpegImage.h"
#include "about/KvAbout.h"
#include "base/ui/FontFaces.h"
#include "ScriptedPlatform.h"
#include "ThreadNames.h"
#include "about/aboutU.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMetaProperty>
#include <QStatusBar>
#include <QAccessible>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

using namespace kelmora;
using namespace kelmora::about;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

// One thing the user does: a key as X delivers it to Qt (key, modifiers and
// text as captured from a real X server), or a click on the left picture.
struct Input {
    int key = 0; // 0: a click on Image1
    Qt::KeyboardModifiers modifiers;
    QString text;
    bool autoRepeat = false;
};
using Inputs = QList<Input>;

const auto Ctrl = Qt::ControlModifier;
const auto Alt = Qt::AltModifier;
const auto Shift = Qt::ShiftModifier;
const auto AltGr = Qt::GroupSwitchModifier; // how Qt reports ISO_Level3_Shift

const Input click{};
const Input pressCtrl{Qt::Key_Control, Ctrl, {}};
const Input pressAltAfterCtrl{Qt::Key_Alt, Ctrl | Alt, {}};
const Input pressAltGrAfterCtrl{Qt::Key_AltGr, Ctrl | AltGr, {}};
const QString ctrlT = u"\x14"_s; // what X gives as the text of Ctrl+T

Inputs ctrlAltT()
{
    return {pressCtrl, pressAltAfterCtrl, {Qt::Key_T, Ctrl | Alt, ctrlT}};
}

// Delivers through the window, as the window system does: shortcuts first,
// then the window's focus object.
void deliver(QWindow *window, const Input &in)
{
    qt_handleKeyEvent(window, QEvent::KeyPress, in.key, in.modifiers, in.text, in.autoRepeat);
    if (!in.autoRepeat)
        qt_handleKeyEvent(window, QEvent::KeyRelease, in.key, in.modifiers, in.text);
}

void perform(TAboutF &box, const Inputs &inputs)
{
    QWindow *window = box.windowHandle();
    for (const Input &in : inputs) {
        if (in.key == 0) {
            // Above the team panel, which lies over the picture's lower half.
            QTest::mouseClick(window, Qt::LeftButton, {}, box.Image1->mapTo(&box, QPoint(70, 100)));
        } else {
            deliver(window, in);
        }
    }
}

QImage solidImage(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs check on the box while Execute shows it; check must close it. A box
// still open after ten seconds is closed so the test ends.
void whileShown(TKvAbout &component, const std::function<void(TAboutF &)> &check)
{
    bool ran = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!AboutF || !AboutF->isVisible() || ran)
            return;
        ran = true;
        check(*AboutF);
    });
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, [] {
        if (AboutF)
            AboutF->reject();
    });
    poll.start();
    bound.start(10000);
    component.Execute();
    QVERIFY2(ran, "the box did not show");
    QVERIFY2(bound.isActive(), "the box did not close");
}

bool closeBox(TAboutF &box)
{
    deliver(box.windowHandle(), {Qt::Key_Escape, {}, u"\x1b"_s});
    return !box.isVisible();
}

} // namespace

Q_DECLARE_METATYPE(Inputs)

class TestAboutBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void propertiesInOrderWithDefaults();
    void aboutIgnoresAssignment();
    void assignedPicturesAndLinesAreCopies();
    void executeFillsTheBox();
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void facesResolveToInstalledFonts_data();
    void facesResolveToInstalledFonts();
    void physicalMemoryFigure_data();
    void physicalMemoryFigure();
    void flipsTeamPanel_data();
    void flipsTeamPanel();
    void eachShowingStartsFromTheBottom();
    void closes_data();
    void closes();
    void reopeningStartsCreditsAgain();
    void labelsOpenBrowserAndMail();
    void keysWithTheLinks_data();
    void keysWithTheLinks();
    void readerPressesLikeAClick_data();
    void readerPressesLikeAClick();
    void decodesJpeg_data();
    void decodesJpeg();
    void refusesBrokenJpeg_data();
    void refusesBrokenJpeg();
};

void TestAboutBox::init()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

void TestAboutBox::propertiesInOrderWithDefaults()
{
    TKvAbout component;
    const QMetaObject *mo = component.metaObject();
    QStringList names;
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
        names << QString::fromLatin1(mo->property(i).name());
    QCOMPARE(names, (QStringList{u"About"_s, u"Caption"_s, u"TopPicture"_s, u"Picture"_s, u"ProgramName"_s,
                                 u"Team"_s}));
    QCOMPARE(component.property("About").toString(), u"s1.01"_s);
    QVERIFY(component.property("Caption").toString().isEmpty());
    QVERIFY(component.property("TopPicture").value<QImage>().isNull());
    QVERIFY(component.property("Picture").value<QImage>().isNull());
    QVERIFY(component.property("ProgramName").toString().isEmpty());
    QVERIFY(component.property("Team").toStringList().isEmpty());
}

void TestAboutBox::aboutIgnoresAssignment()
{
    TKvAbout component;
    QVERIFY(component.setProperty("About", u"s9.99"_s));
    QCOMPARE(component.About(), u"s1.01"_s);
}

void TestAboutBox::assignedPicturesAndLinesAreCopies()
{
    TKvAbout component;
    QImage picture = solidImage({4, 4}, Qt::red);
    QStringList team{u"Ekip"_s};
    component.SetPicture(picture);
    component.SetTeam(team);
    picture.setPixel(0, 0, qRgb(0, 0, 255));
    team[0] = u"başka"_s;
    QCOMPARE(component.Picture().pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(component.Team(), QStringList{u"Ekip"_s});
}

void TestAboutBox::executeFillsTheBox()
{
    test::ScopedPlatform platform;
    platform->memory = {17179869184ull, 57};
    TKvAbout component;
    component.SetCaption(u"TORVANTA Kelmora s1.06"_s);
    component.SetProgramName(u"Kelmora s1.06"_s);
    component.SetPicture(solidImage({140, 440}, Qt::blue));
    component.SetTopPicture(solidImage({79, 51}, Qt::cyan));
    const QStringList team{u"Project Manager"_s, QString(), u"Ad Soyad"_s};
    component.SetTeam(team);
    whileShown(component, [&](TAboutF &box) {
        QCOMPARE(box.windowTitle(), u"TORVANTA Kelmora s1.06"_s);
        QCOMPARE(box.RxLabel4->text(), u"Kelmora s1.06"_s);
        QCOMPARE(box.SecretPanel1->Lines().constFirst(), u"Kelmora s1.06"_s);
        QCOMPARE(box.SecretPanel1->Lines().size(), 16);
        QCOMPARE(box.StatusPanel0->text(), u"TORVANTA Kelmora s1.06"_s);
        QCOMPARE(box.SecretPanel2->Lines(), team);
        QCOMPARE(box.Image1->picture().pixel(0, 0), QColor(Qt::blue).rgb());
        QCOMPARE(box.Image3->picture().pixel(0, 0), QColor(Qt::cyan).rgb());
        QCOMPARE(box.Fizmem->text(), u"16.777.216 KB"_s);
        QCOMPARE(box.kulmem->text(), u"57 %"_s);
        // The dialog's own pictures: the logo GIF with its see-through colour, the glyphs.
        QCOMPARE(box.Image2->picture().size(), QSize(237, 45));
        QVERIFY(box.Image2->picture().hasAlphaChannel());
        QCOMPARE(box.SecretPanel1->Glyph().size(), QSize(21, 17));
        QCOMPARE(box.SecretPanel2->Glyph().size(), QSize(21, 17));
        QVERIFY(!box.SpeedButton1->icon().pixmap(16, 16, QIcon::Disabled).isNull());
        QVERIFY(!box.windowIcon().isNull());
        // FormShow: credits running, team panel hidden and still.
        QVERIFY(box.SecretPanel1->Active());
        QVERIFY(box.SecretPanel2->isHidden());
        QVERIFY(!box.SecretPanel2->Active());
        QVERIFY(box.isModal());
        QVERIFY(closeBox(box));
    });
    QCOMPARE(AboutF, nullptr);
}

void TestAboutBox::controlsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::newRow("Image1") << u"Image1"_s << QRect(0, 0, 146, 441);
    QTest::newRow("SecretPanel2") << u"SecretPanel2"_s << QRect(1, 216, 144, 224);
    QTest::newRow("Panel2") << u"Panel2"_s << QRect(145, 0, 284, 35);
    QTest::newRow("Image3 fills Panel2") << u"Image3"_s << QRect(1, 1, 282, 33);
    QTest::newRow("Panel1") << u"Panel1"_s << QRect(146, 36, 283, 405);
    QTest::newRow("Image2") << u"Image2"_s << QRect(21, 8, 237, 45);
    QTest::newRow("SecretPanel1") << u"SecretPanel1"_s << QRect(16, 64, 255, 214);
    QTest::newRow("Bevel2") << u"Bevel2"_s << QRect(6, 359, 267, 6);
    QTest::newRow("Label1") << u"Label1"_s << QRect(3, 368, 119, 13);
    QTest::newRow("Label2") << u"Label2"_s << QRect(3, 383, 119, 13);
    QTest::newRow("SpeedButton1") << u"SpeedButton1"_s << QRect(197, 379, 79, 22);
    QTest::newRow("StatusBar1") << u"StatusBar1"_s << QRect(0, 441, 430, 19);
}

void TestAboutBox::controlsAtTheirPlaces()
{
    QFETCH(QString, name);
    test::ScopedPlatform platform;
    TAboutF box;
    QCOMPARE(box.size(), QSize(430, 460));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    auto *w = box.findChild<QWidget *>(name);
    QVERIFY(w);
    QTEST(w->geometry(), "place");
    // Only the close box in the title bar.
    QVERIFY(box.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                   Qt::WindowContextHelpButtonHint)));
    // Only Tab takes the focus to a control, and only to the two links; a
    // click leaves it with the box.
    for (QWidget *child : box.findChildren<QWidget *>()) {
        const bool link = child == box.RxLabel1 || child == box.RxLabel3;
        QVERIFY2(child->focusPolicy() == (link ? Qt::TabFocus : Qt::NoFocus), qPrintable(child->objectName()));
    }
}

void TestAboutBox::facesResolveToInstalledFonts_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("pixels");
    // The face fontconfig resolves each name to, with the size and weight asked.
    QTest::newRow("dialog: MS Sans Serif") << u"AboutF"_s << u"MS Sans Serif"_s << false << 11;
    QTest::newRow("title: Impact") << u"RxLabel4"_s << u"Liberation Sans Narrow"_s << true << 19;
    QTest::newRow("status bar: Tahoma") << u"StatusPanel0"_s << u"Tahoma"_s << true << 11;
    QTest::newRow("web label: Arial") << u"RxLabel1"_s << u"Liberation Sans"_s << true << 11;
    QTest::newRow("team panel: Arial") << u"SecretPanel2"_s << u"Liberation Sans"_s << true << 12;
    QTest::newRow("credits: MS Sans Serif") << u"SecretPanel1"_s << u"MS Sans Serif"_s << true << 13;
    QTest::newRow("memory: MS Sans Serif") << u"Fizmem"_s << u"MS Sans Serif"_s << true << 11;
}

void TestAboutBox::facesResolveToInstalledFonts()
{
    QFETCH(QString, control);
    test::ScopedPlatform platform;
    TAboutF box;
    QWidget *w = control == u"AboutF"_s ? &box : box.findChild<QWidget *>(control);
    QVERIFY(w);
    QTEST(QFontInfo(w->font()).family(), "family");
    QTEST(w->font().bold(), "bold");
    QTEST(w->font().pixelSize(), "pixels");
}

void TestAboutBox::physicalMemoryFigure_data()
{
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("512 MiB") << quint64(536870912) << u"524.288 KB"_s;
    QTest::newRow("16 GiB") << quint64(17179869184ull) << u"16.777.216 KB"_s;
    // A 32-bit count would show 0 here.
    QTest::newRow("4 GiB") << quint64(4294967296ull) << u"4.194.304 KB"_s;
    QTest::newRow("half a kilobyte rounds up") << quint64(1536) << u"2 KB"_s;
    QTest::newRow("just under half rounds down") << quint64(1535) << u"1 KB"_s;
    QTest::newRow("none") << quint64(0) << u"0 KB"_s;
    QTest::newRow("largest count") << quint64(~0ull) << u"18.014.398.509.481.984 KB"_s;
}

void TestAboutBox::physicalMemoryFigure()
{
    QFETCH(quint64, bytes);
    QTEST(physicalMemoryText(bytes, QLocale(QLocale::Turkish, QLocale::Turkey)), "text");
}

void TestAboutBox::flipsTeamPanel_data()
{
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<bool>("shown");
    QTest::newRow("Ctrl+Alt+T") << ctrlAltT() << true;
    QTest::newRow("Ctrl+Alt+T twice") << ctrlAltT() + ctrlAltT() << false;
    QTest::newRow("Ctrl+Alt+T three times") << ctrlAltT() + ctrlAltT() + ctrlAltT() << true;
    QTest::newRow("Ctrl+Shift+Alt+T")
        << Inputs{pressCtrl, {Qt::Key_Shift, Ctrl | Shift, {}}, {Qt::Key_Meta, Ctrl | Shift | Qt::MetaModifier, {}},
                  {Qt::Key_T, Ctrl | Shift | Alt, ctrlT}}
        << false;
    QTest::newRow("Ctrl+T") << Inputs{pressCtrl, {Qt::Key_T, Ctrl, ctrlT}} << false;
    QTest::newRow("Alt+T") << Inputs{{Qt::Key_Alt, Alt, {}}, {Qt::Key_T, Alt, u"t"_s}} << false;
    QTest::newRow("T") << Inputs{{Qt::Key_T, {}, u"t"_s}} << false;
    QTest::newRow("Ctrl+Alt+Meta+T") << Inputs{pressCtrl, pressAltAfterCtrl, {Qt::Key_T, Ctrl | Alt | Qt::MetaModifier, ctrlT}}
                                     << false;
    // A held key repeats; the panel flips once.
    QTest::newRow("Ctrl+Alt+T held") << ctrlAltT() + Inputs{{Qt::Key_T, Ctrl | Alt, ctrlT, true},
                                                           {Qt::Key_T, Ctrl | Alt, ctrlT, true}}
                                     << true;
    // Turkish Q layout, which has AltGr: the left Alt still gives Ctrl+Alt+T.
    QTest::newRow("tr layout: Ctrl+Alt+T") << ctrlAltT() << true;
    // AltGr is the third-level shift, not Alt: AltGr+T types the lira sign.
    QTest::newRow("tr layout: Ctrl+AltGr+T")
        << Inputs{pressCtrl, pressAltGrAfterCtrl, {0x20BA, Ctrl | AltGr, u"₺"_s}} << false;
    QTest::newRow("tr layout: AltGr+T") << Inputs{{Qt::Key_AltGr, AltGr, {}}, {0x20BA, AltGr, u"₺"_s}} << false;
    QTest::newRow("us layout: Ctrl+AltGr+T")
        << Inputs{pressCtrl, pressAltGrAfterCtrl, {Qt::Key_T, Ctrl | AltGr, ctrlT}} << false;
    QTest::newRow("click") << Inputs{click} << true;
    QTest::newRow("click twice") << Inputs{click, click} << false;
    QTest::newRow("click, then Ctrl+Alt+T") << Inputs{click} + ctrlAltT() << false;
    QTest::newRow("Ctrl+Alt+T, then click") << ctrlAltT() + Inputs{click} << false;
}

void TestAboutBox::flipsTeamPanel()
{
    QFETCH(Inputs, inputs);
    test::ScopedPlatform platform;
    test::ScopedStepClock clock;
    TAboutF box;
    box.SecretPanel2->SetLines({u"Project Manager"_s});
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    perform(box, inputs);
    QTEST(!box.SecretPanel2->isHidden(), "shown");
    QCOMPARE(box.SecretPanel2->Active(), !box.SecretPanel2->isHidden());
    QVERIFY(box.isVisible());
    QVERIFY(box.SecretPanel1->Active());
}

void TestAboutBox::eachShowingStartsFromTheBottom()
{
    test::ScopedPlatform platform;
    test::ScopedStepClock clock;
    TAboutF box;
    box.SecretPanel2->SetLines({u"Project Manager"_s, QString(), u"Ad Soyad"_s});
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    for (int showing = 0; showing < 3; ++showing) {
        perform(box, ctrlAltT());
        QVERIFY(box.SecretPanel2->Active());
        QCOMPARE(box.SecretPanel2->ScrollPos(), 0);
        QVERIFY(clock->settle(2));
        QVERIFY(clock->run(2000ms, 2, 50ms));
        QCOMPARE(box.SecretPanel2->ScrollPos(), 40);
        perform(box, ctrlAltT());
        QVERIFY(!box.SecretPanel2->Active());
        QVERIFY(clock->settle(1));
    }
}

void TestAboutBox::closes_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << u"esc"_s;
    QTest::newRow("Tamam") << u"tamam"_s;
    QTest::newRow("close box") << u"closebox"_s;
}

void TestAboutBox::closes()
{
    QFETCH(QString, how);
    test::ScopedPlatform platform;
    TKvAbout component;
    component.SetTeam({u"Ekip"_s});
    whileShown(component, [&](TAboutF &box) {
        perform(box, ctrlAltT());
        QVERIFY(box.SecretPanel2->Active());
        QTRY_COMPARE(test::threadsNamed(u"SecretPanel1"_s) + test::threadsNamed(u"SecretPanel2"_s), 2);
        if (how == u"esc"_s) {
            deliver(box.windowHandle(), {Qt::Key_Escape, {}, u"\x1b"_s});
        } else if (how == u"tamam"_s) {
            QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {},
                              box.SpeedButton1->mapTo(&box, box.SpeedButton1->rect().center()));
        } else {
            box.windowHandle()->close(); // what the window manager's close request does
        }
        QVERIFY(!box.isVisible());
        QVERIFY(!box.SecretPanel1->Active());
        QVERIFY(!box.SecretPanel2->Active());
    });
    QCOMPARE(AboutF, nullptr);
    QCOMPARE(test::threadsNamed(u"SecretPanel1"_s), 0);
    QCOMPARE(test::threadsNamed(u"SecretPanel2"_s), 0);
}

void TestAboutBox::reopeningStartsCreditsAgain()
{
    test::ScopedPlatform platform;
    test::ScopedStepClock clock;
    TKvAbout component;
    component.SetProgramName(u"Kelmora s1.06"_s);
    for (int opening = 0; opening < 2; ++opening) {
        whileShown(component, [&](TAboutF &box) {
            QCOMPARE(box.SecretPanel1->ScrollPos(), 0);
            QVERIFY(clock->settle(1));
            QVERIFY(clock->run(3000ms, 1, 50ms));
            QCOMPARE(box.SecretPanel1->ScrollPos(), 60);
            QVERIFY(closeBox(box));
        });
    }
}

void TestAboutBox::labelsOpenBrowserAndMail()
{
    test::ScopedPlatform platform;
    TAboutF box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {}, box.RxLabel1->mapTo(&box, QPoint(5, 5)));
    QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {}, box.RxLabel3->mapTo(&box, QPoint(5, 5)));
    const QList<std::pair<QString, QString>> expected{{u"IEXPLORE.EXE"_s, u"https://www.torvanta.com.tr"_s},
                                                      {u"MSIMN.EXE"_s, u"mailto:bilgi@torvanta.com.tr"_s}};
    QCOMPARE(platform->shellOpens, expected);
    QVERIFY(box.isVisible());
    // The telephone label is only text.
    QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {}, box.RxLabel5->mapTo(&box, QPoint(5, 5)));
    QCOMPARE(platform->shellOpens.size(), 2);
}

using Opened = QList<std::pair<QString, QString>>;

void TestAboutBox::keysWithTheLinks_data()
{
    const Input tab{Qt::Key_Tab, {}, u"\t"_s};
    const Input enter{Qt::Key_Return, {}, u"\r"_s};
    const Input space{Qt::Key_Space, {}, u" "_s};
    const Opened web{{u"IEXPLORE.EXE"_s, u"https://www.torvanta.com.tr"_s}};
    const Opened mail{{u"MSIMN.EXE"_s, u"mailto:bilgi@torvanta.com.tr"_s}};
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<Opened>("opened");
    QTest::addColumn<bool>("teamShown");
    QTest::addColumn<bool>("open");
    // The box holds the focus when it opens: Enter there opens nothing.
    QTest::newRow("Enter") << Inputs{enter} << Opened{} << false << true;
    QTest::newRow("Tab, Enter: the web site") << Inputs{tab, enter} << web << false << true;
    QTest::newRow("Tab, Space: the web site") << Inputs{tab, space} << web << false << true;
    QTest::newRow("Tab twice, Enter: mail") << Inputs{tab, tab, enter} << mail << false << true;
    QTest::newRow("Tab three times, Enter: the web site again") << Inputs{tab, tab, tab, enter} << web << false << true;
    QTest::newRow("on a link, Ctrl+Alt+T: the team panel") << Inputs{tab} + ctrlAltT() << Opened{} << true << true;
    QTest::newRow("on a link, T: nothing") << Inputs{tab, {Qt::Key_T, {}, u"t"_s}} << Opened{} << false << true;
    QTest::newRow("on a link, Esc: closes") << Inputs{tab, {Qt::Key_Escape, {}, u"\x1b"_s}} << Opened{} << false
                                            << false;
}

void TestAboutBox::keysWithTheLinks()
{
    QFETCH(Inputs, inputs);
    test::ScopedPlatform platform;
    TAboutF box;
    box.SecretPanel2->SetLines({u"Project Manager"_s});
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    perform(box, inputs);
    QTEST(platform->shellOpens, "opened");
    QTEST(!box.SecretPanel2->isHidden(), "teamShown");
    QTEST(box.isVisible(), "open");
}

void TestAboutBox::readerPressesLikeAClick_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Opened>("opened");
    QTest::addColumn<bool>("teamShown");
    QTest::newRow("left picture") << u"Image1"_s << QAccessible::Button << u"TORVANTA Team"_s << Opened{} << true;
    QTest::newRow("web label") << u"RxLabel1"_s << QAccessible::Link << u"www.torvanta.com.tr"_s
                               << Opened{{u"IEXPLORE.EXE"_s, u"https://www.torvanta.com.tr"_s}} << false;
    QTest::newRow("mail label") << u"RxLabel3"_s << QAccessible::Link << u"bilgi@torvanta.com.tr"_s
                                << Opened{{u"MSIMN.EXE"_s, u"mailto:bilgi@torvanta.com.tr"_s}} << false;
}

void TestAboutBox::readerPressesLikeAClick()
{
    QFETCH(QString, control);
    test::ScopedPlatform platform;
    TAboutF box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(box.findChild<QWidget *>(control));
    QVERIFY(reader);
    QTEST(reader->role(), "role");
    QTEST(reader->text(QAccessible::Name), "name");
    QVERIFY(reader->actionInterface());
    reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTEST(platform->shellOpens, "opened");
    QTEST(!box.SecretPanel2->isHidden(), "teamShown");
    QVERIFY(box.isVisible());
}

void TestAboutBox::decodesJpeg_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("color");
    const QString data = QFINDTESTDATA("data");
    QTest::newRow("banner: blue sky at the top") << QFINDTESTDATA("../../../assets/about/banner.jpg") << QSize(140, 440) << QPoint(4, 2)
                                                 << QColor(0x1F, 0x5F, 0xCF);
    QTest::newRow("rgb halves: red") << data + u"/halves.jpg"_s << QSize(16, 8) << QPoint(3, 4) << QColor(255, 0, 0);
    QTest::newRow("rgb halves: blue") << data + u"/halves.jpg"_s << QSize(16, 8) << QPoint(12, 4)
                                      << QColor(0, 0, 255);
    QTest::newRow("grey") << data + u"/grey.jpg"_s << QSize(8, 8) << QPoint(4, 4) << QColor(128, 128, 128);
    QTest::newRow("cmyk") << data + u"/cmyk.jpg"_s << QSize(8, 8) << QPoint(4, 4) << QColor(0, 255, 0);
}

void TestAboutBox::decodesJpeg()
{
    QFETCH(QString, file);
    QFETCH(QPoint, at);
    QFETCH(QColor, color);
    const QByteArray bytes = readFile(file);
    QVERIFY2(!bytes.isEmpty(), qPrintable(file));
    const QImage image = decodeJpeg(bytes);
    QTEST(image.size(), "size");
    QCOMPARE(image.format(), QImage::Format_RGB888);
    const QColor got = image.pixelColor(at);
    const auto near = [](int a, int b) { return std::abs(a - b) <= 8; };
    QVERIFY2(near(got.red(), color.red()) && near(got.green(), color.green()) && near(got.blue(), color.blue()),
             qPrintable(got.name() + u" for "_s + color.name()));
}

void TestAboutBox::refusesBrokenJpeg_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = readFile(QFINDTESTDATA("data/halves.jpg"));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a JPEG") << QByteArray("GIF89a not a jpeg at all");
    QTest::newRow("header only") << good.left(20);
    QByteArray huge = good;
    // The frame header's height and width (SOF0 at its usual place) set to 60000.
    const qsizetype sof = huge.indexOf("\xFF\xC0");
    QVERIFY(sof > 0);
    huge[sof + 5] = char(0xEA);
    huge[sof + 6] = char(0x60);
    huge[sof + 7] = char(0xEA);
    huge[sof + 8] = char(0x60);
    QTest::newRow("too large") << huge;
}

void TestAboutBox::refusesBrokenJpeg()
{
    QFETCH(QByteArray, bytes);
    try {
        (void)decodeJpeg(bytes);
        QFAIL("decoded");
    } catch (const Exception &e) {
        QVERIFY2(QString::fromStdString(e.message()).startsWith(u"JPEG error: "_s), e.what());
    }
}

int main(int argc, char **argv)
{
    installFontFaces();
    QApplication app(argc, argv);
    TestAboutBox test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_aboutbox.moc"
