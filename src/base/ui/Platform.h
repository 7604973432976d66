#pragma once
// The Platform seam: everything that blocks on a person or reaches outside the
// program goes through here - message boxes, file/colour/font dialogs, shell
// launches, blocking sleeps, the beep and memory status. (Printing talks to
// the desktop's real default printer; its tests run against a CUPS queue.)
// QtPlatform is the real one; tests install a scripted one with setPlatform()
// that answers prompts and records what was asked.

#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace kelmora {

// The state of one of the frame's file dialogs; it lives for the whole run, so
// each showing starts with the name and filter chosen last.
struct FileDialogState {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    // Pairs of description and pattern, e.g. {"Text Dosyası", "*.Txt"}.
    QList<std::pair<QString, QString>> filters;
    int filterIndex = 1;          // 1-based, the filter chosen last
    QString defaultExt;           // without the dot; empty for none
    QString fileName;             // full path chosen last
    bool overwritePrompt = false; // save: ask before replacing a file
    bool fileMustExist = false;   // open: only existing files
};

struct MessageRequest {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

struct MemoryStatus {
    std::uint64_t totalPhysical = 0; // bytes
    int memoryLoad = 0;              // percent in use
};

// The figures from the text of /proc/meminfo: MemTotal, and the load as the
// share of it not MemAvailable, rounded to a whole percent. Empty when the
// text lacks either line (kernels before 3.14 have no MemAvailable).
std::optional<MemoryStatus> memoryStatusFromMeminfo(const QByteArray &text);

// What the font dialog shows and, on OK, what the user chose there.
struct FontChoice {
    QFont font;                   // face, size, bold, italic, underline, strikeout
    QColor colour;                // the text colour shown; on OK the one chosen
    bool automaticColour = false; // the colour shown is the automatic colour
    bool colourChanged = false;   // on OK: the user picked another colour
};

// The program's font dialog; it lives above this layer, so the application
// hands it to the platform it installs.
using FontDialogRunner = std::function<bool(QWidget *parent, FontChoice &choice)>;

class Platform {
public:
    virtual ~Platform() = default;

    virtual QMessageBox::StandardButton messageBox(QWidget *parent, const MessageRequest &request) = 0;
    // Shows the dialog; on acceptance updates state.fileName/filterIndex and returns true.
    virtual bool fileDialog(QWidget *parent, FileDialogState &state) = 0;
    // Both dialogs open centred on the active window's monitor, a third of the
    // free height down (placeOnActiveMonitor).
    virtual bool colorDialog(QWidget *parent, QColor &color) = 0;
    virtual bool fontDialog(QWidget *parent, FontChoice &choice) = 0;
    // Starts a program with parameters (a browser on an address), or with no
    // parameters opens `program` itself, an address or a file, with the
    // desktop's default handler. The result is not examined.
    virtual void shellOpen(const QString &program, const QString &parameters) = 0;
    virtual void sleep(int milliseconds) = 0;
    virtual void beep() = 0;
    virtual MemoryStatus memoryStatus() = 0;
};

// The platform in use; QtPlatform until a test installs another.
Platform &platform();
// Installs p and returns the previous one (nullptr stands for the Qt one).
std::unique_ptr<Platform> setPlatform(std::unique_ptr<Platform> p);

// Qt's dialogs, and the font dialog it is given (without one, the font
// dialog is never shown and reports a cancel). The file dialogs start in the
// working folder; the colour dialog's custom colours last for the run.
class QtPlatform : public Platform {
public:
    explicit QtPlatform(FontDialogRunner fontDialog = {}) : m_fontDialog(std::move(fontDialog)) {}
    QMessageBox::StandardButton messageBox(QWidget *parent, const MessageRequest &request) override;
    bool fileDialog(QWidget *parent, FileDialogState &state) override;
    bool colorDialog(QWidget *parent, QColor &color) override;
    bool fontDialog(QWidget *parent, FontChoice &choice) override;
    void shellOpen(const QString &program, const QString &parameters) override;
    void sleep(int milliseconds) override;
    void beep() override;
    MemoryStatus memoryStatus() override;

private:
    FontDialogRunner m_fontDialog;
};

// Qt name filter for a pattern such as "*.Txt", matching the extension in any case.
QString caseInsensitivePattern(const QString &pattern);

} // namespace kelmora
