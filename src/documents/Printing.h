#pragma once
// Printing: the active document goes straight to the desktop's default
// printer as one job, without a dialog. The page is the printer's whole
// printable area with no margins added; the text is laid out at the printer's
// resolution with the document's own fonts, colours, alignment and indents,
// one page after another until the text is used up.

#include <QString>

#include <memory>

class QPrinter;
class QTextDocument;

namespace kelmora {

// Lays a copy of doc out on printer's printable area at the printer's
// resolution and paints every page the text needs (an empty document gets one
// blank page); doc itself is not touched. Returns the number of pages. Pending
// events are processed between pages. Throws EPrinter ("Printer selected is
// not valid") when the printer cannot be opened or refuses a new page.
int printDocument(const QTextDocument &doc, QPrinter &printer);

// The program's printer: created on first use, kept for the run, and always
// pointed at the desktop's current default printer with that printer's own
// settings. One job at a time.
class Printer {
public:
    Printer();
    ~Printer();
    // Prints doc on the default printer as a job named title. Throws
    // EPrinter: no default printer, the printer cannot be opened, or a job
    // of this printer is still being sent (that job goes on).
    void print(const QTextDocument &doc, const QString &title);
    bool printing() const { return m_printing; }

private:
    std::unique_ptr<QPrinter> m_printer;
    bool m_printing = false;
};

} // namespace kelmora
