#pragma once
// QML side of quote and invoice PDFs: a loader that fetches one document
// through the API client, vets it and keeps it in memory only, and the
// "pdfpage" image provider that renders its pages on worker threads.
//
// Usage from QML (after registering DocumentPdfLoader and adding
// DocumentPdfPageProvider to the engine under "pdfpage"):
//
//   DocumentPdfLoader { id: pdf; workspace: workspace; path: target.path; kind: target.kind }
//   Image { source: pdf.pageSource + index; sourceSize.width: width * Screen.devicePixelRatio }
//
// Changing the workspace, path, kind or reloadId starts a new load and abandons
// the one in flight; destroying the loader abandons it too.

#include "server/APIClient.h"

#include <QPdfDocument>
#include <QPointer>
#include <QQmlParserStatus>
#include <QQuickAsyncImageProvider>
#include <QSizeF>
#include <QThreadPool>
#include <QtQml/qqmlregistration.h>

#include <memory>

namespace vantrel {

class CheckoutModel;
class LoadedPdf;

class DocumentPdfLoader : public QObject, public QQmlParserStatus {
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_MOC_INCLUDE("workflow/CheckoutModel.h")
    Q_PROPERTY(vantrel::CheckoutModel *workspace READ workspace WRITE setWorkspace NOTIFY inputsChanged)
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY inputsChanged)
    Q_PROPERTY(QString kind READ kind WRITE setKind NOTIFY inputsChanged)
    Q_PROPERTY(int reloadId READ reloadId WRITE setReloadId NOTIFY inputsChanged)
    Q_PROPERTY(bool loading READ loading NOTIFY stateChanged)
    // Empty when there is nothing to say.
    Q_PROPERTY(QString message READ message NOTIFY stateChanged)
    Q_PROPERTY(int pageCount READ pageCount NOTIFY stateChanged)
    Q_PROPERTY(bool hasDocument READ hasDocument NOTIFY stateChanged)
    // "image://pdfpage/<key>/": a page index appended makes one page's image.
    Q_PROPERTY(QString pageSource READ pageSource NOTIFY stateChanged)

public:
    explicit DocumentPdfLoader(QObject *parent = nullptr);
    ~DocumentPdfLoader() override;

    CheckoutModel *workspace() const { return m_workspace; }
    QString path() const { return m_path; }
    QString kind() const { return m_kind; }
    int reloadId() const { return m_reloadId; }
    bool loading() const { return m_loading; }
    QString message() const { return m_message; }
    int pageCount() const;
    QPdfDocument *document() const;
    bool hasDocument() const { return document() != nullptr; }
    QString pageSource() const;
    // A page's size in points, for laying pages out before they render;
    // empty for a page the document does not have.
    Q_INVOKABLE QSizeF pageSize(int index) const;

    void setWorkspace(CheckoutModel *workspace);
    void setPath(const QString &path);
    void setKind(const QString &kind);
    void setReloadId(int reloadId);
    // The largest reply accepted; larger ones are cut off as they arrive.
    void setMaximumBytes(qint64 bytes) { m_maximumBytes = bytes; }

    void classBegin() override { m_complete = false; }
    void componentComplete() override;

signals:
    void inputsChanged();
    void stateChanged();

private:
    static QCoro::Task<void> load(QPointer<DocumentPdfLoader> self, CancellationToken cancel,
                                  QPointer<APIClient> api, QString path, QString kind, qint64 maximumBytes);
    void restart(bool keepDocument);
    void finish(std::shared_ptr<LoadedPdf> pdf, const QString &failure);
    void setDocument(std::shared_ptr<LoadedPdf> pdf);

    QPointer<CheckoutModel> m_workspace;
    QString m_path;
    QString m_kind;
    int m_reloadId = 0;
    bool m_loading = false;
    QString m_message;
    std::shared_ptr<LoadedPdf> m_pdf;
    CancellationToken m_cancel;
    qint64 m_maximumBytes;
    bool m_complete = true;
};

// Serves "image://pdfpage/<key>/<page>" from the documents loaders hold,
// rendered at the requested width (the page's own aspect ratio decides the
// height) on a pool of its own, so the main thread never waits on a page.
class DocumentPdfPageProvider : public QQuickAsyncImageProvider {
public:
    DocumentPdfPageProvider();
    ~DocumentPdfPageProvider() override;
    QQuickImageResponse *requestImageResponse(const QString &id, const QSize &requestedSize) override;

    // The pixel count a page is never rendered above (deep zoom is scaled up).
    static constexpr qint64 maximumPixels = 8'000'000;

private:
    QThreadPool m_pool;
};

} // namespace vantrel
