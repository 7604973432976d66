#pragma once
// What both document fuzzers share: one application object (image plugins
// need it) and a document prepared like the editor's, reused across inputs.

#include "model/DocumentModel.h"
#include "model/TextDocument.h"

#include <QCoreApplication>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

namespace kelmora::fuzz {

inline QTextDocument &document()
{
    static int argc = 1;
    static char name[] = "fuzzer";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static model::TextDocument doc;
    static bool prepared = (model::prepareDocument(doc), true);
    (void)prepared;
    return doc;
}

// Stops the run with a message when a property that must hold does not.
inline void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz property violated: %s\n", what);
        std::abort();
    }
}

} // namespace kelmora::fuzz
