#include "EditorBench.h"

#include "EventClock.h"
#include "app/Main.h"
#include "documents/Childwin.h"
#include "documents/LayoutHeight.h"
#include "documents/RichEdit.h"
#include "formats/DocumentIO.h"
#include "model/DocumentModel.h"
#include "model/TextDocument.h"

#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace kelmora::bench {

namespace {

constexpr double PaintLimit = 120;  // seconds
constexpr double LayoutLimit = 300; // seconds

EventClock &clock() { return *static_cast<EventClock *>(QCoreApplication::instance()); }

bool laidOut(const QTextDocument &doc)
{
    return doc.lastBlock().layout() && doc.lastBlock().layout()->lineCount() > 0;
}

// Waits for the first paint of edit's viewport after start, then for the
// layout to finish; the longest event is taken from the first paint on.
OpenFigures waitForLayout(QTextEdit *edit, double start)
{
    OpenFigures r;
    if (!spinUntil([] { return clock().painted(); }, PaintLimit))
        return r;
    r.firstPaint = clock().paintedAt() - start;
    clock().resetLongest();
    r.finished = spinUntil([edit] { return laidOut(*edit->document()); }, LayoutLimit);
    r.laidOut = now() - start;
    r.longest = clock().longestEvent();
    return r;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

template <class F>
double timed(F body)
{
    const double start = now();
    body();
    return now() - start;
}

double pressReleaseShift(QWidget *w)
{
    return timed([w] {
        QTest::keyPress(w, Qt::Key_Shift);
        QTest::keyRelease(w, Qt::Key_Shift);
    });
}

} // namespace

QMessageBox::StandardButton BenchPlatform::messageBox(QWidget *, const MessageRequest &request)
{
    boxes.append(request.text);
    return QMessageBox::Ok;
}

bool BenchPlatform::fileDialog(QWidget *, FileDialogState &state)
{
    state.fileName = nextFile;
    return !nextFile.isEmpty();
}

bool usable(QTextEdit *edit, int textLength)
{
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();
    bool ok = edit->textCursor().position() == textLength && edit->verticalScrollBar()->value() > 0;
    QTest::keyClicks(edit, QStringLiteral("x"));
    ok = ok && edit->document()->characterCount() - 1 == textLength + 1;
    QScrollBar *bar = edit->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    edit->viewport()->repaint();
    ok = ok && edit->cursorForPosition(QPoint(4, 4)).blockNumber() > 0;
    edit->document()->setModified(false);
    return ok;
}

// ---- the frame ---------------------------------------------------------------

FrameBench::FrameBench(QSize frameSize)
{
    auto platform = std::make_unique<BenchPlatform>();
    m_platform = platform.get();
    m_previous = setPlatform(std::move(platform));
    m_frame = std::make_unique<TAna>();
    Ana = m_frame.get();
    m_frame->resize(frameSize);
    m_frame->show();
    (void)QTest::qWaitForWindowExposed(m_frame.get());
}

FrameBench::~FrameBench()
{
    closeAll();
    m_frame.reset();
    Ana = nullptr;
    setPlatform(std::move(m_previous));
}

TRichEdit *FrameBench::editor() const { return m_frame->activeEditor(); }

QSize FrameBench::editorSize() const { return editor() ? editor()->size() : QSize(); }

OpenFigures FrameBench::open(const QString &path, bool checkUsable)
{
    m_platform->nextFile = path;
    m_platform->boxes.clear();
    clock().watch(nullptr);
    const double start = now();
    m_frame->FileOpen1->trigger();
    const double command = now() - start;
    OpenFigures r;
    TRichEdit *e = editor();
    if (!m_platform->boxes.isEmpty() || !e) {
        r.command = command;
        r.error = m_platform->boxes.value(0);
        return r;
    }
    clock().watch(e->viewport());
    r = waitForLayout(e, now());
    r.command = command;
    if (r.finished && checkUsable)
        r.usable = usable(e, e->TextLength());
    return r;
}

double FrameBench::save()
{
    return timed([this] { m_frame->FileSaveItem->trigger(); });
}

double FrameBench::toggleBold()
{
    editor()->selectAll();
    return timed([this] { m_frame->ToolButton18->click(); });
}

double FrameBench::toggleBullets()
{
    editor()->selectAll();
    return timed([this] { m_frame->ToolButton27->click(); });
}

double FrameBench::printCopy()
{
    return timed([this] { (void)model::copyDocument(*editor()->document()); });
}

double FrameBench::undo()
{
    return timed([this] { m_frame->GeriAl1Click(m_frame->GeriAl1); });
}

double FrameBench::shiftPressRelease() { return pressReleaseShift(editor()); }

void FrameBench::closeAll()
{
    for (TMDIchild *child : m_frame->MDIChildren()) {
        child->RichEdit1->SetModified(false);
        child->closeWindow();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// ---- Qt's floor --------------------------------------------------------------

FloorBench::FloorBench(QSize editorSize) : m_edit(std::make_unique<QTextEdit>())
{
    m_edit->resize(editorSize);
    m_edit->setFont(model::defaultEditorFont());
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->show();
    (void)QTest::qWaitForWindowExposed(m_edit.get());
}

FloorBench::~FloorBench() = default;

OpenFigures FloorBench::finishOpen(double start)
{
    // The same finite page height as the editor's (LayoutHeight): without it
    // Qt's background layout past 2^23 pixels does not finish.
    QTextDocument *doc = m_edit->document();
    doc->setPageSize(QSizeF(doc->pageSize().width(), LayoutHeight::PageHeight));
    const double command = now() - start;
    OpenFigures r = waitForLayout(m_edit.get(), now());
    r.command = command;
    return r;
}

OpenFigures FloorBench::openPlain(const QString &path)
{
    const QString text = QString::fromUtf8(readAll(path));
    clock().watch(m_edit->viewport());
    const double start = now();
    m_edit->setPlainText(text);
    return finishOpen(start);
}

OpenFigures FloorBench::openRtf(const QString &path)
{
    auto doc = std::make_unique<QTextDocument>();
    model::prepareDocument(*doc);
    (void)formats::readRtf(*doc, readAll(path));
    clock().watch(m_edit->viewport());
    const double start = now();
    m_edit->setDocument(doc.get());
    m_document = std::move(doc); // the one shown before goes now
    return finishOpen(start);
}

double FloorBench::mergeBold()
{
    QTextCursor c(m_edit->document());
    c.select(QTextCursor::Document);
    m_edit->setTextCursor(c);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    return timed([&] { m_edit->mergeCurrentCharFormat(bold); });
}

double FloorBench::undo()
{
    return timed([this] { m_edit->undo(); });
}

double FloorBench::shiftPressRelease() { return pressReleaseShift(m_edit.get()); }

} // namespace kelmora::bench
