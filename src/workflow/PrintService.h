#pragma once
// The platform's print facility as the checkout model sees it.

#include <QByteArray>
#include <QString>

namespace vantrel {

// Prints documents the server returned; tests replace it with a recorder.
class PrintService {
public:
    enum class Check { printable, unreadable, pageTooLarge };

    virtual ~PrintService() = default;

    // Whether the bytes are a document this service can print, and if not,
    // why. Called on a worker thread: opening a PDF can wait on the PDF
    // library's lock for as long as another page takes to render.
    virtual Check check(const QByteArray &document) const = 0;
    // Shows the print dialog for the document and returns once it is shown;
    // what the person then does in it is not reported. False when there is
    // no window to show it over (nothing is shown then).
    virtual bool present(const QByteArray &document, const QString &jobName) = 0;
};

} // namespace vantrel
