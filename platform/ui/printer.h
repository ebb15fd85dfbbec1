// The program's one printer document. A picture is drawn on the current page at
// a position in twips; endDocument() sends the page. Without a printer, or when
// the printer refuses, the calls report failure and the caller shows its message.
#pragma once

#include <QImage>
#include <QString>

namespace kv {

class Printer {
public:
    static Printer& instance();

    // Draws the image at its own size (96 dpi) with its top-left corner at
    // (xTwips, yTwips) from the top-left of the printable area. Its pixels
    // reach the printer unchanged (no lossy compression on the way).
    bool drawPicture(const QImage& image, double xTwips, double yTwips);
    // Ends the document: the open page goes to the printer. True when nothing was open.
    bool endDocument();
    // Whether a page is open (something drawn and not yet ended).
    bool hasOpenPage() const;

    // Sends the following documents to PDF files instead of the default printer:
    // the first to pathPattern with "%1" replaced by 1, the next by 2, ...
    // An empty pattern goes back to the default printer. Setting a pattern
    // restarts the numbering; a document already open keeps its target.
    void setPdfTarget(const QString& pathPattern);

private:
    Printer() = default;
    struct Impl;
    Impl* impl();
};

} // namespace kv
