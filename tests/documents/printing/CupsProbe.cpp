#include "CupsProbe.h"

#include "PdfProbe.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryFile>
#include <QThread>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelmora::test {

namespace {

// The request header every query sends, as the requesting user root: the
// tests print as root, and a job's name is shown to its owner only.
const QString kRequestHead = uR"(
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR name requesting-user-name root
)"_s;

// Get-Jobs lists ids and states. It is not asked for names: for a job that
// completed a moment ago it may already leave job-name empty, while
// Get-Job-Attributes still reports it.
QByteArray getJobsRequest(const QString &which)
{
    return (u"{\n  NAME \"Get-Jobs\"\n  OPERATION Get-Jobs"_s + kRequestHead
            + u"  ATTR keyword which-jobs %1\n  ATTR keyword requested-attributes job-id,job-state\n"
              u"  STATUS successful-ok\n  DISPLAY job-id\n  DISPLAY job-state\n}\n"_s.arg(which))
        .toUtf8();
}

QByteArray jobNameRequest(int id)
{
    return (u"{\n  NAME \"Get-Job-Attributes\"\n  OPERATION Get-Job-Attributes"_s + kRequestHead
            + u"  ATTR integer job-id %1\n  ATTR keyword requested-attributes job-name\n"
              u"  STATUS successful-ok\n  DISPLAY job-name\n}\n"_s.arg(id))
        .toUtf8();
}

// ipptool -c prints a heading line, then one line of values per answer.
QList<QStringList> csvRows(const QByteArray &csv)
{
    QList<QStringList> rows;
    const QList<QByteArray> lines = csv.trimmed().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QStringList row = QString::fromUtf8(lines[i]).trimmed().split(u',');
        for (QString &value : row)
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
                value = value.mid(1, value.size() - 2);
        rows << row;
    }
    return rows;
}

} // namespace

CupsQueue::CupsQueue()
    : m_name(qEnvironmentVariable("KELMORA_CUPS_QUEUE"))
    , m_uri(qEnvironmentVariable("KELMORA_CUPS_URI"))
    , m_pdfDir(qEnvironmentVariable("KELMORA_CUPS_PDF_DIR"))
{
    if (m_name.isEmpty() || m_uri.isEmpty() || m_pdfDir.isEmpty())
        m_error = u"KELMORA_CUPS_QUEUE, KELMORA_CUPS_URI and KELMORA_CUPS_PDF_DIR are not set: run the tests "
                  u"through scripts/test.sh, or start CUPS with scripts/services/cups.sh start DIR and "
                  u"export DIR/cups.env"_s;
}

ToolRun CupsQueue::ask(const QByteArray &request) const
{
    QTemporaryFile file(QDir::tempPath() + u"/kelmora-ipp-XXXXXX.test"_s);
    if (!file.open() || file.write(request) < 0 || !file.flush())
        return {{}, u"cannot write the ipptool request"_s};
    return runTool(u"ipptool"_s, {u"-c"_s, m_uri, file.fileName()});
}

QList<CupsJob> CupsQueue::jobs(const QString &which, QString *error) const
{
    const ToolRun run = ask(getJobsRequest(which));
    if (!run.ok()) {
        *error = run.error;
        return {};
    }
    QList<CupsJob> jobs;
    for (const QStringList &row : csvRows(run.out))
        if (row.size() == 2)
            jobs.append({row[0].toInt(), QString(), row[1]});
    std::sort(jobs.begin(), jobs.end(), [](const CupsJob &a, const CupsJob &b) { return a.id < b.id; });
    return jobs;
}

QString CupsQueue::jobName(int id, QString *error) const
{
    const ToolRun run = ask(jobNameRequest(id));
    const QList<QStringList> rows = csvRows(run.out);
    if (!run.ok() || rows.size() != 1) {
        *error = run.ok() ? u"no job-name for job %1"_s.arg(id) : run.error;
        return {};
    }
    return rows.first().join(u',');
}

int CupsQueue::lastJobId(QString *error) const
{
    QString why;
    const QList<CupsJob> all = jobs(u"all"_s, &why);
    if (!why.isEmpty()) {
        *error = why;
        return -1;
    }
    return all.isEmpty() ? 0 : all.last().id;
}

QList<CupsJob> CupsQueue::waitForCompleted(int afterId, int count, int timeoutMs, QString *error) const
{
    const QDeadlineTimer deadline(timeoutMs);
    QList<CupsJob> done;
    for (;;) {
        QString why;
        done.clear();
        for (const CupsJob &job : jobs(u"completed"_s, &why))
            if (job.id > afterId)
                done << job;
        if (!why.isEmpty()) {
            *error = why;
            return done;
        }
        if (done.size() >= count) {
            for (CupsJob &job : done)
                job.name = jobName(job.id, error);
            return done;
        }
        if (deadline.hasExpired()) {
            *error = u"%1 job(s) completed after job %2 within %3 ms, expected %4"_s.arg(done.size())
                         .arg(afterId)
                         .arg(timeoutMs)
                         .arg(count);
            return done;
        }
        QThread::msleep(100);
    }
}

std::optional<QString> CupsQueue::jobPdf(int id) const
{
    const QStringList found = QDir(m_pdfDir).entryList({u"*-job_%1.pdf"_s.arg(id)}, QDir::Files);
    if (found.size() != 1)
        return std::nullopt;
    return QDir(m_pdfDir).filePath(found.first());
}

} // namespace kelmora::test
