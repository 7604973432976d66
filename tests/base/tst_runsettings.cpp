// Qt's own dialogs keep nothing between runs: with keepNoSettings() their
// settings are never written, quietly (Qt keeps them in memory for the run),
// and the user's configuration folder stays untouched while the colour
// dialog still keeps its custom colours for the run.

#include "base/ui/RunSettings.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList g_messages;

void collect(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_messages.append(message);
}

QStringList filesIn(const QString &folder)
{
    QStringList out;
    QDir dir(folder);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        out.append(fi.fileName());
    return out;
}

} // namespace

class TestRunSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void dialogsWriteNothingAndSayNothing();

private:
    QTemporaryDir m_home;
};

void TestRunSettings::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (m_home.path() + u"/.config"_s).toUtf8());
    kelmora::keepNoSettings();
}

void TestRunSettings::dialogsWriteNothingAndSayNothing()
{
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    {
        QFileDialog files(nullptr, u"Aç"_s, m_home.path());
        files.setOption(QFileDialog::DontUseNativeDialog, true);
        files.show();
    } // Qt writes the dialog's history and last folder here
    QColorDialog::setCustomColor(3, QColor(10, 20, 30));
    {
        QColorDialog colours;
        colours.setOption(QColorDialog::DontUseNativeDialog, true);
        colours.show();
    } // and the custom colours here
    QSettings qt(QSettings::UserScope, u"QtProject"_s);
    qt.setValue(u"probe"_s, 1);
    qt.sync();
    qInstallMessageHandler(previous);
    QCOMPARE(qt.status(), QSettings::AccessError);
    QCOMPARE(filesIn(m_home.path()), QStringList());
    QCOMPARE(QColorDialog::customColor(3), QColor(10, 20, 30));
    const QStringList aboutSettings = g_messages.filter(u"QSettings"_s);
    QCOMPARE(aboutSettings, QStringList());
}

QTEST_MAIN(TestRunSettings)
#include "tst_runsettings.moc"
