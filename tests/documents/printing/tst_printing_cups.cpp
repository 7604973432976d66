// Printing through the frame's menu item and print button on the CUPS test
// queue: the job title CUPS records, the pages cups-pdf writes, one job at a
// time, and the error box when there is no default printer.

#include "PrintingTest.h"

#include "CupsProbe.h"
#include "FrameFixture.h"
#include "PdfProbe.h"

#include <QPrinterInfo>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kelmora;
using namespace kelmora::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int JobTimeoutMs = 60000;
const QString kJobTitle = u"Mirel Pad"_s;

// Fails the test unless the CUPS test queue is set up and is the default.
#define REQUIRE_CUPS(queue)                                                                                       \
    do {                                                                                                          \
        if (!(queue).error().isEmpty())                                                                           \
            QFAIL(qPrintable((queue).error()));                                                                   \
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), (queue).name());                                   \
    } while (false)

// What printing must leave as it was.
struct EditorState {
    QString html;
    bool modified = false;
    int undoSteps = 0;
    int cursor = 0;
    friend bool operator==(const EditorState &, const EditorState &) = default;
};

EditorState stateOf(TRichEdit *e)
{
    return {e->toHtml(), e->Modified(), e->document()->availableUndoSteps(), e->textCursor().position()};
}

// A new document holding text, with the print commands enabled as the
// frame's timer enables them.
TRichEdit *documentWith(FrameFixture &f, const QString &text)
{
    f.newDocument();
    TRichEdit *e = f.editor();
    e->textCursor().insertText(text);
    f->Timer1Timer(nullptr);
    return e;
}

// Sets an environment variable for the life of the object.
class EnvScope {
public:
    EnvScope(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvScope()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    EnvScope(const EnvScope &) = delete;
    EnvScope &operator=(const EnvScope &) = delete;

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

QString pagesOf(const CupsQueue &queue, const CupsJob &job, int *pages)
{
    const std::optional<QString> pdf = queue.jobPdf(job.id);
    if (!pdf)
        return u"cups-pdf wrote no file for job %1"_s.arg(job.id);
    QString error;
    *pages = pdfPageCount(*pdf, &error);
    return error;
}

} // namespace

// The menu item and the print button each send one job, titled "Mirel Pad".
void TestPrinting::cupsJobsAreNamedMirelPad()
{
    const CupsQueue queue;
    REQUIRE_CUPS(queue);
    FrameFixture f;
    documentWith(f, u"Merhaba dünya"_s);
    QString error;
    const int last = queue.lastJobId(&error);
    QVERIFY2(last >= 0, qPrintable(error));

    f->yazdir->trigger();
    f->ToolButton12->click();
    QCOMPARE(f.platform->errorTexts(), QStringList());

    const QList<CupsJob> jobs = queue.waitForCompleted(last, 2, JobTimeoutMs, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(jobs.size(), 2);
    QVERIFY(jobs[0].id != jobs[1].id);
    for (const CupsJob &job : jobs) {
        QCOMPARE(job.name, kJobTitle);
        int pages = 0;
        const QString why = pagesOf(queue, job, &pages);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QCOMPARE(pages, 1);
    }
}

void TestPrinting::cupsPageCount_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("empty document") << 0;
    QTest::newRow("150 lines") << 150;
}

// cups-pdf's file has the pages the text needs (an empty document one), and
// the document in the editor is left exactly as it was.
void TestPrinting::cupsPageCount()
{
    QFETCH(int, lines);
    const CupsQueue queue;
    REQUIRE_CUPS(queue);
    QCOMPARE(QPrinterInfo::defaultPrinter().defaultPageSize().id(), QPageSize::A4);
    const int perPage = linesPerPage();
    QVERIFY(perPage > 0);
    const int expected = lines == 0 ? 1 : (lines + perPage - 1) / perPage;
    FrameFixture f;
    TRichEdit *editor = documentWith(f, lines == 0 ? QString() : numberedLines(lines, false));
    editor->SetModified(false);
    const EditorState before = stateOf(editor);
    QString error;
    const int last = queue.lastJobId(&error);
    QVERIFY2(last >= 0, qPrintable(error));

    f->yazdir->trigger();
    QCOMPARE(f.platform->errorTexts(), QStringList());
    QVERIFY(stateOf(editor) == before);

    const QList<CupsJob> jobs = queue.waitForCompleted(last, 1, JobTimeoutMs, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(jobs.first().name, kJobTitle);
    int pages = 0;
    const QString why = pagesOf(queue, jobs.first(), &pages);
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QCOMPARE(pages, expected);
}

// A print asked for while pages are being sent is refused with the error box;
// the running job goes on to its last page, and the next print works again.
void TestPrinting::cupsSecondRequestWhilePrinting()
{
    const CupsQueue queue;
    REQUIRE_CUPS(queue);
    const int perPage = linesPerPage();
    QVERIFY(perPage > 0);
    FrameFixture f;
    documentWith(f, numberedLines(3 * perPage, false));
    QString error;
    const int last = queue.lastJobId(&error);
    QVERIFY2(last >= 0, qPrintable(error));

    bool asked = false;
    QTimer::singleShot(0, f.get(), [&] {
        asked = true;
        f->ToolButton12->click();
    });
    f->yazdir->trigger();
    QVERIFY(asked);
    QCOMPARE(f.platform->errorTexts(), QStringList{u"Printing in progress."_s});

    QList<CupsJob> jobs = queue.waitForCompleted(last, 1, JobTimeoutMs, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(queue.lastJobId(&error), jobs.first().id);
    int pages = 0;
    const QString why = pagesOf(queue, jobs.first(), &pages);
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QCOMPARE(pages, 3);

    f->yazdir->trigger();
    jobs = queue.waitForCompleted(last, 2, JobTimeoutMs, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(f.platform->errorTexts().size(), 1);
}

// LPDEST names the user's default destination and CUPS reads it afresh on
// each look-up; naming a queue that does not exist leaves this process with
// no default printer while the server stays as it is. A plain QPrinter would
// then quietly take the first queue: nothing may reach CUPS.
void TestPrinting::cupsNoDefaultPrinter()
{
    const CupsQueue queue;
    REQUIRE_CUPS(queue);
    FrameFixture f;
    TRichEdit *editor = documentWith(f, u"Yazdırılmayacak metin"_s);
    const EditorState before = stateOf(editor);
    QString error;
    const int last = queue.lastJobId(&error);
    QVERIFY2(last >= 0, qPrintable(error));
    {
        const EnvScope noDefault("LPDEST", "kelmora-no-such-queue");
        QVERIFY(QPrinterInfo::defaultPrinter().isNull());
        f->yazdir->trigger();
        f->ToolButton12->click();
    }
    const QString message = u"There is no default printer currently selected."_s;
    QCOMPARE(f.platform->errorTexts(), (QStringList{message, message}));
    QCOMPARE(queue.lastJobId(&error), last);
    QVERIFY(stateOf(editor) == before);

    // With the default back, the printer kept by the frame prints.
    f->yazdir->trigger();
    const QList<CupsJob> jobs = queue.waitForCompleted(last, 1, JobTimeoutMs, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(jobs.first().name, kJobTitle);
    QCOMPARE(f.platform->errorTexts().size(), 2);
}
