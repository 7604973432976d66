#include "Platform.h"

#include "DialogPlacement.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUrl>

#include <sys/sysinfo.h>

namespace kelmora {

namespace {

std::unique_ptr<Platform> &current()
{
    static std::unique_ptr<Platform> p;
    return p;
}

// The open dialog looks a name typed without extension up with the default
// extension, in any case ("notes" finds "notes.txt" as well as "notes.TXT").
class OpenFileDialog : public QFileDialog {
public:
    OpenFileDialog(QWidget *parent, const QString &title, const QString &defaultExt)
        : QFileDialog(parent, title), m_ext(defaultExt)
    {
    }

    // The chosen file when the typed name was completed with the extension.
    QString completedName() const { return m_completed; }

    void accept() override
    {
        const QStringList typed = selectedFiles();
        if (typed.size() == 1 && !m_ext.isEmpty()) {
            const QFileInfo fi(typed.constFirst());
            if (!fi.exists() && fi.suffix().isEmpty()) {
                // The name is looked up in the folder the dialog shows (Qt
                // resolves a typed name against its file list, which it
                // reads in the background and may not have yet).
                const QString wanted = fi.fileName() + QLatin1Char('.') + m_ext;
                for (const QDir &folder : {fi.dir(), QDir(directory())}) {
                    const QStringList matches =
                        folder.entryList({caseInsensitivePattern(wanted)}, QDir::Files | QDir::Readable);
                    if (!matches.isEmpty()) {
                        m_completed = folder.filePath(matches.constFirst());
                        done(QDialog::Accepted);
                        return;
                    }
                }
            }
        }
        QFileDialog::accept();
    }

private:
    QString m_ext;
    QString m_completed;
};

QString qtFilter(const std::pair<QString, QString> &f)
{
    return f.first + QStringLiteral(" (") + caseInsensitivePattern(f.second) + QLatin1Char(')');
}

} // namespace

Platform &platform()
{
    auto &p = current();
    if (!p)
        p = std::make_unique<QtPlatform>();
    return *p;
}

std::unique_ptr<Platform> setPlatform(std::unique_ptr<Platform> p)
{
    auto old = std::move(current());
    current() = std::move(p);
    return old;
}

QString caseInsensitivePattern(const QString &pattern)
{
    // Linux file names are case-sensitive; "*.Txt" must also list "a.txt" and "A.TXT".
    QString out;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += QLatin1Char('[') + c.toUpper() + c.toLower() + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

QMessageBox::StandardButton QtPlatform::messageBox(QWidget *parent, const MessageRequest &r)
{
    QMessageBox box(r.icon, r.caption, r.text, r.buttons, parent);
    if (r.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(r.defaultButton);
    // Esc and the close box give Cancel when there is one, otherwise the only button.
    if (r.buttons & QMessageBox::Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    const int result = box.exec();
    return static_cast<QMessageBox::StandardButton>(result);
}

bool QtPlatform::fileDialog(QWidget *parent, FileDialogState &s)
{
    OpenFileDialog dlg(parent, s.title, s.mode == FileDialogState::Mode::Open ? s.defaultExt : QString());
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setOption(QFileDialog::HideNameFilterDetails, true);
    QStringList filters;
    for (const auto &f : s.filters)
        filters << qtFilter(f);
    dlg.setNameFilters(filters);
    if (s.filterIndex >= 1 && s.filterIndex <= filters.size())
        dlg.selectNameFilter(filters.at(s.filterIndex - 1));
    if (s.mode == FileDialogState::Mode::Open) {
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(s.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    } else {
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, !s.overwritePrompt);
    }
    if (!s.defaultExt.isEmpty() && s.mode == FileDialogState::Mode::Save)
        dlg.setDefaultSuffix(s.defaultExt);
    // The folder of the name chosen last, else the working folder: never a
    // folder remembered from an earlier run or another dialog.
    dlg.setDirectory(QDir::currentPath());
    if (!s.fileName.isEmpty()) {
        const QFileInfo fi(s.fileName);
        if (fi.isAbsolute())
            dlg.setDirectory(fi.absolutePath());
        dlg.selectFile(fi.fileName());
    }
    if (dlg.exec() != QDialog::Accepted)
        return false;
    if (!dlg.completedName().isEmpty())
        s.fileName = dlg.completedName();
    else if (!dlg.selectedFiles().isEmpty())
        s.fileName = dlg.selectedFiles().constFirst();
    else
        return false;
    // With the patterns hidden Qt reports the filter by its description.
    const QString chosen = dlg.selectedNameFilter();
    for (qsizetype i = 0; i < s.filters.size(); ++i) {
        if (chosen == filters.at(i) || chosen == s.filters.at(i).first)
            s.filterIndex = int(i) + 1;
    }
    return true;
}

bool QtPlatform::colorDialog(QWidget *parent, QColor &color)
{
    // Its custom colours are Qt's for the run: RunSettings keeps them from
    // the user's settings.
    QColorDialog dlg(color, parent);
    dlg.setOption(QColorDialog::DontUseNativeDialog, true);
    placeOnActiveMonitor(&dlg);
    if (dlg.exec() != QDialog::Accepted || !dlg.selectedColor().isValid())
        return false;
    color = dlg.selectedColor();
    return true;
}

bool QtPlatform::fontDialog(QWidget *parent, FontChoice &choice)
{
    return m_fontDialog && m_fontDialog(parent, choice);
}

void QtPlatform::shellOpen(const QString &program, const QString &parameters)
{
    // The desktop decides which browser or mail program handles the address:
    // the parameters when a program is named, else the "program" itself, an
    // address or file to open with its default handler.
    const QString address = parameters.isEmpty() ? program : parameters;
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void QtPlatform::sleep(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void QtPlatform::beep()
{
    QApplication::beep();
}

std::optional<MemoryStatus> memoryStatusFromMeminfo(const QByteArray &text)
{
    std::optional<std::uint64_t> totalKb, availableKb;
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray key = line.left(colon);
        if (key != "MemTotal" && key != "MemAvailable")
            continue;
        QByteArray value = line.mid(colon + 1).trimmed();
        if (value.endsWith(" kB"))
            value.chop(3);
        bool ok = false;
        const std::uint64_t kb = value.trimmed().toULongLong(&ok);
        if (!ok)
            continue;
        (key == "MemTotal" ? totalKb : availableKb) = kb;
    }
    if (!totalKb || !availableKb || *totalKb == 0)
        return std::nullopt;
    const std::uint64_t used = *availableKb < *totalKb ? *totalKb - *availableKb : 0;
    MemoryStatus m;
    m.totalPhysical = *totalKb * 1024;
    m.memoryLoad = int((used * 100 + *totalKb / 2) / *totalKb);
    return m;
}

MemoryStatus QtPlatform::memoryStatus()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (meminfo.open(QIODevice::ReadOnly)) {
        if (const auto status = memoryStatusFromMeminfo(meminfo.readAll()))
            return *status;
    }
    // Without MemAvailable, free memory and buffers stand for what is available.
    MemoryStatus m;
    struct sysinfo info {};
    if (::sysinfo(&info) == 0) {
        const std::uint64_t unit = info.mem_unit ? info.mem_unit : 1;
        m.totalPhysical = std::uint64_t(info.totalram) * unit;
        const std::uint64_t avail = (std::uint64_t(info.freeram) + info.bufferram) * unit;
        if (m.totalPhysical > 0)
            m.memoryLoad = int(100 - (avail * 100) / m.totalPhysical);
    }
    return m;
}

} // namespace kelmora
