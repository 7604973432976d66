// The real Platform: Qt's message boxes and file dialogs, driven from a timer
// while they run modally, checked for their Turkish texts and their results.

#include "base/ui/Platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

// Runs act on the modal widget as soon as one is shown.
void whenModal(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

} // namespace

// Stands in for the desktop's handlers: records every address Qt hands over.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

class TestQtPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void questionBoxInTurkish();
    void openDialogFindsNameWithoutExtensionInAnyCase();
    void saveDialogStartsFromLastChoice();
    void filterPatternsIgnoreCase();
    void shellOpenHandsTheAddressOn_data();
    void shellOpenHandsTheAddressOn();
    void memoryFromMeminfo_data();
    void memoryFromMeminfo();
    void memoryOfThisMachine();

private:
    QTranslator m_tr;
};

void TestQtPlatform::initTestCase()
{
    const bool loaded = m_tr.load(QLocale(QLocale::Turkish, QLocale::Turkey), u"qtbase"_s, u"_"_s,
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QVERIFY2(loaded, "Qt's Turkish translation (qt6-translations-l10n) is missing");
    QApplication::installTranslator(&m_tr);
}

void TestQtPlatform::questionBoxInTurkish()
{
    QtPlatform p;
    QString text, title;
    QStringList buttons;
    QString defaultText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        for (QAbstractButton *b : box->buttons())
            buttons << b->text();
        defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
        box->button(QMessageBox::No)->click();
    });
    MessageRequest r;
    r.text = u"ADSIZ1 Dosyasındaki Değişiklikleri Kaydetmek İstiyor musunuz?"_s;
    r.caption = u"Dikkat"_s;
    r.icon = QMessageBox::Question;
    r.buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    r.defaultButton = QMessageBox::Yes;
    QCOMPARE(p.messageBox(nullptr, r), QMessageBox::No);
    QCOMPARE(text, r.text);
    QCOMPARE(title, u"Dikkat"_s);
    QCOMPARE(icon, QMessageBox::Question);
    buttons.sort();
    QCOMPARE(buttons, (QStringList{u"&Evet"_s, u"&Hayır"_s, u"İptal"_s}));
    QCOMPARE(defaultText, u"&Evet"_s);
}

void TestQtPlatform::openDialogFindsNameWithoutExtensionInAnyCase()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(u"notlar.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QtPlatform p;
    FileDialogState s;
    s.mode = FileDialogState::Mode::Open;
    s.title = u"Aç"_s;
    s.filters = {{u"Text Dosyası"_s, u"*.Txt"_s}, {u"Zengin Metin Dosyası"_s, u"*.Rtf"_s}};
    s.defaultExt = u"TXT"_s;
    s.fileMustExist = true;
    s.fileName = dir.filePath(u"x"_s);
    QString title;
    QStringList filters;
    whenModal([&](QWidget *w) {
        auto *dlg = qobject_cast<QFileDialog *>(w);
        QVERIFY(dlg);
        title = dlg->windowTitle();
        filters = dlg->nameFilters();
        auto *name = dlg->findChild<QLineEdit *>(u"fileNameEdit"_s);
        QVERIFY(name);
        name->setText(u"notlar"_s);
        QMetaObject::invokeMethod(dlg, "accept");
    });
    QVERIFY(p.fileDialog(nullptr, s));
    QCOMPARE(title, u"Aç"_s);
    QCOMPARE(filters.size(), 2);
    QVERIFY(filters.first().startsWith(u"Text Dosyası"_s));
    QCOMPARE(s.fileName, dir.filePath(u"notlar.txt"_s));
    QCOMPARE(s.filterIndex, 1);
}

void TestQtPlatform::saveDialogStartsFromLastChoice()
{
    QTemporaryDir dir;
    QtPlatform p;
    FileDialogState s;
    s.mode = FileDialogState::Mode::Save;
    s.title = u"Kaydet"_s;
    s.filters = {{u"Txt Dosyası"_s, u"*.Txt"_s}, {u"Zengin Metin Dosyası"_s, u"*.Rtf"_s}};
    s.overwritePrompt = true;
    s.filterIndex = 2;
    s.fileName = dir.filePath(u"rapor.RTF"_s);
    QString shownName, shownFilter;
    whenModal([&](QWidget *w) {
        auto *dlg = qobject_cast<QFileDialog *>(w);
        QVERIFY(dlg);
        shownName = dlg->findChild<QLineEdit *>(u"fileNameEdit"_s)->text();
        shownFilter = dlg->selectedNameFilter();
        dlg->selectNameFilter(dlg->nameFilters().first());
        dlg->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(u"yeni"_s);
        QMetaObject::invokeMethod(dlg, "accept");
    });
    QVERIFY(p.fileDialog(nullptr, s));
    QCOMPARE(shownName, u"rapor.RTF"_s);
    QVERIFY(shownFilter.startsWith(u"Zengin Metin Dosyası"_s));
    // No default extension on the save dialog: the program appends its own.
    QCOMPARE(s.fileName, dir.filePath(u"yeni"_s));
    QCOMPARE(s.filterIndex, 1);
}

void TestQtPlatform::filterPatternsIgnoreCase()
{
    QCOMPARE(caseInsensitivePattern(u"*.Txt"_s), u"*.[Tt][Xx][Tt]"_s);
    QCOMPARE(caseInsensitivePattern(u"a1.rtf"_s), u"[Aa]1.[Rr][Tt][Ff]"_s);
}


void TestQtPlatform::shellOpenHandsTheAddressOn_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QUrl>("opened");
    QTest::newRow("browser on the web site") << u"IEXPLORE.EXE"_s << u"https://www.torvanta.com.tr"_s
                                             << QUrl(u"https://www.torvanta.com.tr"_s);
    QTest::newRow("an address without a scheme") << u"IEXPLORE.EXE"_s << u"www.torvanta.com.tr"_s
                                                 << QUrl(u"http://www.torvanta.com.tr"_s);
    QTest::newRow("an address without parameters") << u"https://www.torvanta.com.tr/indir/kelmora.zip"_s << QString()
                                                   << QUrl(u"https://www.torvanta.com.tr/indir/kelmora.zip"_s);
    QTest::newRow("a file without parameters") << u"/tmp/kelmora-kur.deb"_s << QString()
                                               << QUrl(u"file:///tmp/kelmora-kur.deb"_s);
}

void TestQtPlatform::shellOpenHandsTheAddressOn()
{
    QFETCH(QString, program);
    QFETCH(QString, parameters);
    QFETCH(QUrl, opened);
    UrlRecorder recorder;
    for (const QString &scheme : {u"http"_s, u"https"_s, u"file"_s})
        QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    QtPlatform().shellOpen(program, parameters);
    for (const QString &scheme : {u"http"_s, u"https"_s, u"file"_s})
        QDesktopServices::unsetUrlHandler(scheme);
    QCOMPARE(recorder.opened, QList<QUrl>{opened});
}

void TestQtPlatform::memoryFromMeminfo_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("read");
    QTest::addColumn<quint64>("total");
    QTest::addColumn<int>("load");
    // The kernel's layout: name, colon, padded number, " kB".
    QTest::newRow("24 GiB machine") << QByteArray("MemTotal:       24683772 kB\nMemFree:        22708732 kB\n"
                                                  "MemAvailable:   24241396 kB\nBuffers:           12176 kB\n")
                                    << true << quint64(24683772) * 1024 << 2;
    // 57 % in use, and more than 32 bits of bytes.
    QTest::newRow("16 GiB, 57 % in use") << QByteArray("MemTotal: 16777216 kB\nMemAvailable: 7214203 kB\n") << true
                                        << quint64(17179869184ull) << 57;
    QTest::newRow("cache counts as available, free alone does not")
        << QByteArray("MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 900 kB\n") << true << quint64(1024000) << 10;
    QTest::newRow("all in use") << QByteArray("MemTotal: 1000 kB\nMemAvailable: 0 kB\n") << true << quint64(1024000)
                                << 100;
    QTest::newRow("half rounds up") << QByteArray("MemTotal: 200 kB\nMemAvailable: 199 kB\n") << true
                                    << quint64(204800) << 1;
    QTest::newRow("no MemAvailable (old kernel)") << QByteArray("MemTotal: 1000 kB\nMemFree: 100 kB\n") << false
                                                  << quint64(0) << 0;
    QTest::newRow("garbled number") << QByteArray("MemTotal: lots kB\nMemAvailable: 1 kB\n") << false << quint64(0)
                                    << 0;
    QTest::newRow("empty") << QByteArray() << false << quint64(0) << 0;
}

void TestQtPlatform::memoryFromMeminfo()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, read);
    const std::optional<MemoryStatus> m = memoryStatusFromMeminfo(text);
    QCOMPARE(m.has_value(), read);
    if (!m)
        return;
    QTEST(quint64(m->totalPhysical), "total");
    QTEST(m->memoryLoad, "load");
}

void TestQtPlatform::memoryOfThisMachine()
{
    QtPlatform p;
    const MemoryStatus m = p.memoryStatus();
    QVERIFY(m.totalPhysical > 64ull << 20);
    QVERIFY(m.memoryLoad >= 0 && m.memoryLoad <= 100);
}

QTEST_MAIN(TestQtPlatform)
#include "tst_qtplatform.moc"
