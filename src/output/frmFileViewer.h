// The position dialog: lists a page's lines so the user can pick the line after which the
// form goes.
#pragma once

#include "ui/ModalDialog.h"

#include <QByteArray>
#include <QList>

class QLabel;
class QListWidget;

class frmFileViewer : public ModalDialog
{
    Q_OBJECT

public:
    explicit frmFileViewer(QWidget *parent = nullptr);

    // Adds one list entry per line; each entry keeps its line's bytes.
    void setLines(const QList<QByteArray> &lines);
    // The index of the selected line, or -1 when none is selected.
    int selectedIndex() const;

    QLabel *lblAdvice;
    QListWidget *lstViewer;

protected:
    // OK needs a selected line: without one the markers would open the page, where no
    // conversion accepts them.
    bool acceptOk() override;
};
