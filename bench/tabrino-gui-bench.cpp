// tabrino-gui-bench: the document window's costs that grow with the form, measured in the
// real window (offscreen): opening the Radio Button dialog on a form of many radio groups,
// and keystroke-to-idle for a burst of edits, each ended by UpdateForm as the item
// commands end theirs, against a preview refreshed after every edit. A report, not a test.
#include "BenchForm.h"
#include "SettingsStore.h"
#include "app/StartupOptions.h"
#include "app/frmDesign.h"
#include "document/frmWebForm.h"
#include "editor/frmEditSwitch.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Keystrokes = 10;
constexpr int KeyGapMs = 40; // a quick typist, or a key held down

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void runEventsFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void fillForm(frmWebForm *form, int items, bool radioGroups)
{
    ItemGrid &grid = form->grid();
    while (grid.rows() > 2)
        grid.removeRow(grid.rows() - 1);
    for (int n = 0; n < items; ++n) {
        if (n > 0)
            grid.addRow(grid.rows());
        fillRow(grid, n + 1, radioGroups ? 7 + 9 * n : n); // 7: a radio button of group n
    }
    form->mnuViewRefresh_Click();
}

// Opening the Radio Button dialog: the list of group names it fills.
void benchRadioDialog(frmWebForm *form, int groups)
{
    fillForm(form, groups, true);
    frmEditSwitch dialog(form);
    QElapsedTimer timer;
    timer.start();
    dialog.PrepareForm(&form->grid(), ItemRadioButton);
    std::printf("  Radio Button dialog, %5d groups: names listed in %8.1f ms\n", groups,
                msSince(timer));
}

struct Burst
{
    double toIdleMs;
    double slowestKeyMs;
};

// Keystrokes KeyGapMs apart, each changing a label and ending with `endEdit`; the time
// from the first one until the preview has loaded the page of the last, and the longest a
// keystroke kept the window busy.
template <typename EndEdit> Burst typeBurst(frmWebForm *form, EndEdit endEdit)
{
    // Only a load that finished counts: one that a newer page cut short also reports its
    // end, and the view's url is already the newer page's by then.
    QUrl loaded;
    const QMetaObject::Connection watch = QObject::connect(
        form->webPreview(), &QWebEngineView::loadFinished, [&loaded, form](bool ok) {
            if (ok)
                loaded = form->webPreview()->url();
        });
    QElapsedTimer total;
    total.start();
    double slowest = 0;
    QString beforeLast;
    for (int key = 0; key < Keystrokes; ++key) {
        QElapsedTimer one;
        one.start();
        form->grid().setText(1, ColLabel, "Typed " + QByteArray::number(key));
        beforeLast = form->PreviewFile;
        endEdit();
        slowest = std::max(slowest, msSince(one));
        if (key + 1 < Keystrokes)
            runEventsFor(KeyGapMs);
    }
    // Idle: a page written after the last edit is shown, and no refresh is waiting.
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 30000 &&
           (form->PreviewFile == beforeLast || loaded != QUrl::fromLocalFile(form->PreviewFile)))
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QObject::disconnect(watch);
    return {msSince(total), slowest};
}

void benchKeystrokes(frmWebForm *form, int items)
{
    fillForm(form, items, false);
    runEventsFor(frmWebForm::PreviewQuietMs + 100);
    QElapsedTimer refresh;
    refresh.start();
    form->mnuViewRefresh_Click();
    const double oneRefresh = msSince(refresh); // writing the page; the browser loads it later
    runEventsFor(frmWebForm::PreviewQuietMs + 100);
    const Burst coalesced = typeBurst(form, [form] { form->UpdateForm(); });
    runEventsFor(frmWebForm::PreviewQuietMs + 100);
    const Burst eachEdit = typeBurst(form, [form] { form->mnuViewRefresh_Click(); });
    std::printf("  %5d items: preview page written in %7.1f ms; %d keystrokes %d ms apart,\n"
                "      to idle = until the browser has loaded the page of the last edit:\n"
                "      coalesced (UpdateForm):      to idle %8.1f ms, slowest keystroke %7.1f ms\n"
                "      a refresh after every edit:  to idle %8.1f ms, slowest keystroke %7.1f ms\n",
                items, oneRefresh, Keystrokes, KeyGapMs, coalesced.toIdleMs, coalesced.slowestKeyMs,
                eachEdit.toIdleMs, eachEdit.slowestKeyMs);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (::geteuid() == 0) // the browser engine refuses to start as root otherwise
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // never the user's settings
    SettingsStore::setDisplayWizard(false);   // no wizard at start-up
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QStringList args = app.arguments();
    const bool quick = args.contains(QStringLiteral("--quick"));
    // --items N: the keystroke figures for a form of N items only.
    const int itemsAt = int(args.indexOf(QStringLiteral("--items")));
    const int onlyItems = itemsAt > 0 && itemsAt + 1 < args.size() ? args[itemsAt + 1].toInt() : 0;

    frmDesign frame;
    StartupOptions options;
    options.splashMilliseconds = 0;
    frame.MDIForm_Load(options);
    frame.show();
    frmWebForm *form = frame.activeForm();
    if (!form) {
        std::fprintf(stderr, "tabrino-gui-bench: no document window\n");
        return 1;
    }
    std::printf("Document window, offscreen (in-process)\n");
    if (onlyItems > 0) {
        benchKeystrokes(form, onlyItems);
    } else {
        for (int groups : quick ? std::vector<int>{1000} : std::vector<int>{1000, 8000})
            benchRadioDialog(form, groups);
        for (int items : quick ? std::vector<int>{1000} : std::vector<int>{1000, 10000})
            benchKeystrokes(form, items);
    }
    form->info().Changed = false;
    frame.close();
    return 0;
}
