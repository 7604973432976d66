#pragma once
// The editor benchmark's measurements: the real main frame (TAna, offscreen,
// its Open, Save, bold and undo commands run as a user's click runs them)
// beside Qt's floor, a bare QTextEdit of the same size and font in the same
// process doing the same work with Qt's own calls.

#include "base/ui/Platform.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

class QTextDocument;
class QTextEdit;

namespace kelmora {
class TAna;
class TRichEdit;
}

namespace kelmora::bench {

// Seconds of one open, from the click to the document laid out in full.
struct OpenFigures {
    double command = 0;    // the Open command's own event: read, parse, hand over
    double firstPaint = 0; // after it, until the editor's first paint ended
    double longest = 0;    // the longest event while Qt laid out the rest
    double laidOut = 0;    // after the command, until the last paragraph was laid out
    bool finished = false; // laid out within the time limit
    bool usable = false;   // Ctrl+End reached the end, typing and scrolling worked
    QString error;         // the error box's text, if one was shown
};

// The Platform seam as the benchmark answers it: the open dialog returns the
// file set last; a message box is recorded and answered OK.
class BenchPlatform : public Platform {
public:
    QString nextFile;
    QStringList boxes;
    QMessageBox::StandardButton messageBox(QWidget *, const MessageRequest &request) override;
    bool fileDialog(QWidget *, FileDialogState &state) override;
    bool colorDialog(QWidget *, QColor &) override { return false; }
    bool fontDialog(QWidget *, FontChoice &) override { return false; }
    void shellOpen(const QString &, const QString &) override {}
    void sleep(int) override {}
    void beep() override {}
    MemoryStatus memoryStatus() override { return {}; }
};

class FrameBench {
public:
    // frameSize: the main frame's; its new document windows take 3/4 of it.
    explicit FrameBench(QSize frameSize);
    ~FrameBench();

    OpenFigures open(const QString &path, bool checkUsable);
    // The editor of the last open, until closeAll().
    TRichEdit *editor() const;
    QSize editorSize() const;
    double save();             // FileSaveItem on the open document
    double toggleBold();       // select all, then ToolButton18
    double toggleBullets();    // select all, then ToolButton27 (a list's numbering off)
    double printCopy();        // the copy Printing lays out for the printer, made and freed
    double undo();             // GeriAl1Click, the Edit menu's undo
    double shiftPressRelease(); // the refresh on key down and up
    void closeAll();

private:
    BenchPlatform *m_platform; // owned by the Platform seam while installed
    std::unique_ptr<Platform> m_previous;
    std::unique_ptr<TAna> m_frame;
};

// Qt's floor: a bare QTextEdit of the editor's size, Arial 12 pt, scroll
// bars always shown.
class FloorBench {
public:
    explicit FloorBench(QSize editorSize);
    ~FloorBench();
    OpenFigures openPlain(const QString &path); // setPlainText of the decoded text
    OpenFigures openRtf(const QString &path);   // setDocument of our reader's document
    double mergeBold();                         // select all, QTextCursor::mergeCharFormat
    double undo();
    double shiftPressRelease();

private:
    OpenFigures finishOpen(double start);
    std::unique_ptr<QTextDocument> m_document; // the one set last; declared first, so the editor goes first
    std::unique_ptr<QTextEdit> m_edit;
};

// Ctrl+End reaches the last character, a typed character lands, and the view
// scrolls to the middle of the document.
bool usable(QTextEdit *edit, int textLength);

} // namespace kelmora::bench
