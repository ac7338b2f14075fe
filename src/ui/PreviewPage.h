// The page of the internal viewer. It shows the file the program asks it to show and
// nothing else: no script runs, nothing is fetched but that page and its local pictures,
// and it never navigates away. A link or submit button the user clicks is handed to the
// user's own browser.
#pragma once

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInfo>
#include <functional>

class PreviewPage : public QWebEnginePage
{
    Q_OBJECT

public:
    // Hands `url` to the desktop (the user's browser); tests record it instead.
    using UrlOpener = std::function<void(const QUrl &)>;
    static void setUrlOpener(UrlOpener opener);
    static void handToDesktop(const QUrl &url);

    explicit PreviewPage(QObject *parent = nullptr);

    // Shows `file` (an absolute path) or, for the empty text, a blank page.
    void showFile(const QString &file);

    // Whether a preview page may make a request: only the page itself and the pictures it
    // shows from local files, so a page loads no frame, style, script or media and never
    // reaches the network.
    static bool allowsRequest(QWebEngineUrlRequestInfo::ResourceType type, const QUrl &url);

    // Whether a page showing `shown` follows a navigation to `url`: only the program's own
    // loads of it. A link or submit button the user clicks goes to the desktop instead,
    // unless it leads to a local file.
    static bool acceptNavigation(const QUrl &shown, const QUrl &url, NavigationType type,
                                 bool isMainFrame);

    // The profile every preview page shares: off the record, scripts off, requests filtered.
    static QWebEngineProfile *previewProfile();

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    QUrl m_shown;
};
