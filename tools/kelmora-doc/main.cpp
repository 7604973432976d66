// kelmora-doc: loads a document exactly as the editor does (RTF when the file
// begins with "{\rtf", else plain text) and prints its text, dumps how it was
// read and its formatting as JSON (damaged RTF included: the dump says what
// the reader met), or saves it as RTF or plain text through the safe save.
// A file that cannot be read or written prints the error box's text on
// stderr and exits with 1; wrong arguments exit with 2.

#include "DocumentDump.h"
#include "base/ErrorTexts.h"
#include "base/Exceptions.h"
#include "formats/DocumentIO.h"
#include "model/DocumentModel.h"
#include "model/TextDocument.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextDocument>

#include <cstdio>

using namespace kelmora;

namespace {

int usage()
{
    std::fputs("usage: kelmora-doc text FILE\n"
               "       kelmora-doc dump FILE\n"
               "       kelmora-doc convert IN OUT --rtf|--plain\n",
               stderr);
    return 2;
}

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

int run(const QStringList &args)
{
    if (args.size() < 2)
        return usage();
    const QString command = args.at(0);
    model::TextDocument doc;
    model::prepareDocument(doc);
    if ((command == u"text" || command == u"dump") && args.size() == 2) {
        const formats::LoadResult loaded = formats::loadFile(doc, args.at(1), false);
        if (command == u"text")
            writeOut(formats::toPlainText(doc, formats::LineEnding::LF) + '\n');
        else
            writeOut(tools::dumpJson(doc, loaded));
        return 0;
    }
    if (command == u"convert" && args.size() == 4) {
        const QStringList files = {args.at(1), args.at(2)};
        const QString format = args.at(3);
        if (format != u"--rtf" && format != u"--plain")
            return usage();
        const formats::LoadResult loaded = formats::loadFile(doc, files.at(0), false);
        formats::saveFile(doc, files.at(1), format == u"--plain", loaded.plainText);
        return 0;
    }
    return usage();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    try {
        return run(args);
    } catch (const Exception &e) {
        const std::string line = errorBoxText(e.message()) + '\n';
        std::fputs(line.c_str(), stderr);
        return 1;
    }
}
