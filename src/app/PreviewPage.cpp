#include "PreviewPage.h"

#include <QDesktopServices>

bool PreviewPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // The program itself navigates with typed loads; a click or a form submission in
    // the preview goes to the system browser instead.
    if (type == NavigationTypeLinkClicked || type == NavigationTypeFormSubmitted) {
        if (isMainFrame && url.scheme() != QLatin1String("file"))
            QDesktopServices::openUrl(url);
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}
