#include "FormPosition.h"

#include "Conversion.h"
#include "PositionMarkers.h"
#include "output/frmFileViewer.h"
#include "ui/Prompter.h"
#include "ui/WaitCursor.h"

void SetFormPosition(const QString &htmlfile, QWidget *parent)
{
    TextFile &page = PageBuffer();
    Outcome loaded;
    {
        WaitCursor busy;
        loaded = LoadPositionPage(page, htmlfile);
    }
    if (!loaded.ok()) {
        Prompter::show(loaded);
        return;
    }
    if (HasGeneratedBlock(page)) {
        if (Prompter::message(MessageIcon::Question, RemoveBlockQuestion(),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
        RemoveGeneratedBlock(page);
    }
    QList<QByteArray> lines;
    frmFileViewer viewer(parent);
    {
        WaitCursor busy;
        page.ToListbox(lines);
        viewer.setLines(lines);
    }
    viewer.exec();
    const bool accepted = viewer.Tag == QLatin1String("OK");
    const int selected = viewer.selectedIndex();
    viewer.Tag.clear();
    if (!accepted)
        return;
    Outcome saved;
    {
        WaitCursor busy;
        InsertPositionMarkers(lines, selected);
        saved = SavePositionPage(page, lines, htmlfile);
    }
    Prompter::show(saved);
}
