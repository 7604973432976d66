#pragma once
// A Platform for tests: answers every prompt from a script and records what
// was asked. A prompt the script did not expect fails the test (it is
// recorded in unexpected() and answered with Cancel / false).

#include "base/ui/Platform.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <memory>

namespace kelmora::test {

struct AskedBox {
    MessageRequest request;
    QMessageBox::StandardButton answer;
};

struct FontAnswer {
    FontAnswer(bool accept_, QFont font_ = {}, std::optional<QColor> colour_ = std::nullopt)
        : accept(accept_), font(std::move(font_)), colour(std::move(colour_))
    {
    }
    bool accept;
    QFont font;                   // replaces the dialog's font on OK
    std::optional<QColor> colour; // a colour picked in the dialog; none: left as shown
};

struct FileAnswer {
    bool accept = false;
    QString fileName;
    int filterIndex = 0; // 0: keep the dialog's
};

class ScriptedPlatform : public Platform {
public:
    // Queued answers, consumed in order.
    std::deque<QMessageBox::StandardButton> boxAnswers;
    std::deque<FileAnswer> fileAnswers;
    std::deque<std::pair<bool, QColor>> colorAnswers;
    std::deque<FontAnswer> fontAnswers;

    // What happened.
    QList<AskedBox> boxes;
    QList<FileDialogState> fileDialogs; // state as the dialog opened
    QList<QColor> colorDialogsOpenedWith;
    QList<QFont> fontDialogsOpenedWith;      // the font of each showing
    QList<FontChoice> fontChoicesOpenedWith; // everything each showing was given
    QList<std::pair<QString, QString>> shellOpens;
    QList<int> sleeps;
    int beeps = 0;
    QStringList unexpected;
    // Runs at each sleep, e.g. to look at the splash during the waits.
    std::function<void(int)> onSleep;

    QMessageBox::StandardButton messageBox(QWidget *parent, const MessageRequest &request) override;
    bool fileDialog(QWidget *parent, FileDialogState &state) override;
    bool colorDialog(QWidget *parent, QColor &color) override;
    bool fontDialog(QWidget *parent, FontChoice &choice) override;
    void shellOpen(const QString &program, const QString &parameters) override;
    void sleep(int milliseconds) override;
    void beep() override { ++beeps; }
    MemoryStatus memory{8ull << 30, 42}; // what memoryStatus() reports
    MemoryStatus memoryStatus() override { return memory; }

    // Texts of the error boxes shown so far.
    QStringList errorTexts() const;
    // Texts of every message box shown so far.
    QStringList boxTexts() const;
};

// Installs a fresh ScriptedPlatform for the life of the object.
class ScopedPlatform {
public:
    ScopedPlatform();
    ~ScopedPlatform();
    ScriptedPlatform *operator->() { return m_platform; }
    ScriptedPlatform &operator*() { return *m_platform; }

private:
    ScriptedPlatform *m_platform;
    std::unique_ptr<Platform> m_previous;
};

} // namespace kelmora::test
