#pragma once
// The CUPS test queue that scripts/services/cups.sh sets up, as the tests see
// it: its name, IPP address and the folder where cups-pdf writes each job
// (taken from the KELMORA_CUPS_* variables of its cups.env), and the jobs
// the server reports through ipptool's Get-Jobs.

#include "PdfProbe.h"

#include <QList>
#include <QString>

#include <optional>

namespace kelmora::test {

struct CupsJob {
    int id = 0;
    QString name;
    QString state;
};

class CupsQueue {
public:
    // Reads the environment; when it is incomplete, error() says what to run.
    CupsQueue();
    QString error() const { return m_error; }
    QString name() const { return m_name; }

    // Jobs of the queue, without names: which is "completed" or "all". Empty
    // with *error set when ipptool fails.
    QList<CupsJob> jobs(const QString &which, QString *error) const;
    QString jobName(int id, QString *error) const;
    // The highest job id the queue has seen, 0 when none; -1 on error.
    int lastJobId(QString *error) const;
    // Waits until count jobs with ids above afterId have completed; returns
    // them oldest first with their names, or what there is when timeoutMs
    // passed (*error set).
    QList<CupsJob> waitForCompleted(int afterId, int count, int timeoutMs, QString *error) const;
    // The PDF cups-pdf wrote for a job ("<title>-job_<id>.pdf"), if any.
    std::optional<QString> jobPdf(int id) const;

private:
    ToolRun ask(const QByteArray &request) const;

    QString m_name, m_uri, m_pdfDir, m_error;
};

} // namespace kelmora::test
