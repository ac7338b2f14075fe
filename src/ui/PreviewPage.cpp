#include "PreviewPage.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace {

void openOnDesktop(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

PreviewPage::UrlOpener &urlOpener()
{
    static PreviewPage::UrlOpener opener = openOnDesktop;
    return opener;
}

// Asks allowsRequest() about every request of a preview page.
class PreviewRequestFilter : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        info.block(!PreviewPage::allowsRequest(info.resourceType(), info.requestUrl()));
    }
};

void lockDown(QWebEngineSettings *settings)
{
    using S = QWebEngineSettings;
    for (S::WebAttribute attribute :
         {S::JavascriptEnabled, S::JavascriptCanOpenWindows, S::JavascriptCanAccessClipboard,
          S::AllowWindowActivationFromJavaScript, S::LocalStorageEnabled,
          S::LocalContentCanAccessRemoteUrls, S::PluginsEnabled, S::PdfViewerEnabled,
          S::AutoLoadIconsForPage, S::DnsPrefetchEnabled, S::NavigateOnDropEnabled,
          S::ScreenCaptureEnabled, S::WebGLEnabled, S::FocusOnNavigationEnabled})
        settings->setAttribute(attribute, false);
    settings->setAttribute(S::PlaybackRequiresUserGesture, true);
}

} // namespace

void PreviewPage::setUrlOpener(UrlOpener opener)
{
    urlOpener() = opener ? std::move(opener) : openOnDesktop;
}

bool PreviewPage::allowsRequest(QWebEngineUrlRequestInfo::ResourceType type, const QUrl &url)
{
    const bool local =
        url.scheme() == QLatin1String("file") || url.scheme() == QLatin1String("data");
    return local && (type == QWebEngineUrlRequestInfo::ResourceTypeMainFrame ||
                     type == QWebEngineUrlRequestInfo::ResourceTypeImage);
}

void PreviewPage::handToDesktop(const QUrl &url)
{
    urlOpener()(url);
}

QWebEngineProfile *PreviewPage::previewProfile()
{
    static QWebEngineProfile *profile = [] {
        auto *created = new QWebEngineProfile(QCoreApplication::instance()); // off the record
        lockDown(created->settings());
        created->setUrlRequestInterceptor(new PreviewRequestFilter(created));
        return created;
    }();
    return profile;
}

PreviewPage::PreviewPage(QObject *parent) : QWebEnginePage(previewProfile(), parent)
{
    lockDown(settings());
}

void PreviewPage::showFile(const QString &file)
{
    m_shown = file.isEmpty() ? QUrl(QStringLiteral("about:blank")) : QUrl::fromLocalFile(file);
    setUrl(m_shown);
}

bool PreviewPage::acceptNavigation(const QUrl &shown, const QUrl &url, NavigationType type,
                                   bool isMainFrame)
{
    if (!isMainFrame)
        return false;
    // Only a click of the user's leaves the page, and it goes to the user's own browser;
    // local files other than the one shown are never opened from here.
    if (type == NavigationTypeLinkClicked || type == NavigationTypeFormSubmitted) {
        if (url.scheme() != QLatin1String("file") && url.scheme() != QLatin1String("data"))
            handToDesktop(url);
        return false;
    }
    // The program's own loads (and a reload of them); redirects and anything else stay out.
    return (type == NavigationTypeTyped || type == NavigationTypeReload) &&
           url.adjusted(QUrl::RemoveFragment) == shown;
}

bool PreviewPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    return acceptNavigation(m_shown, url, type, isMainFrame);
}
