#pragma once
// The benchmark's input files, generated once into a work folder: formatted
// RTF of about 10 MB and 1 MB in LibreOffice's dialect (our document written
// by us, then rewritten by LibreOffice when it is installed), the same
// documents as we write them, and UTF-8 plain text of 10 MB and 50 MB.

#include <QString>

namespace kelmora::bench {

struct Inputs {
    QString libreOffice10; // empty without LibreOffice
    QString libreOffice1;
    QString ours10;
    QString ours1;
    QString plain10;
    QString plain50;
};

// soffice may be empty. Existing files are kept unless regenerate is set.
Inputs prepareInputs(const QString &dir, const QString &soffice, bool regenerate);

// Converts file with LibreOffice (--convert-to filter) into outDir, with a
// profile of its own under dir. Returns false when soffice fails.
bool convertWithLibreOffice(const QString &soffice, const QString &dir, const QString &file, const QString &filter,
                            const QString &outDir, double *seconds = nullptr);

} // namespace kelmora::bench
