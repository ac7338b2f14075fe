// The preview's page: it stays on the generated form and hands every other link to the
// user's own browser, so clicking in the preview never leaves the form.
#pragma once

#include <QWebEnginePage>

class PreviewPage : public QWebEnginePage
{
    Q_OBJECT

public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
};
