// Marking where the form goes in an existing HTML page.
#pragma once

#include <QString>

class QWidget;

// Loads the page, offers to remove a block generated earlier, lets the user pick the line
// after which the form goes, and saves the page with the marker lines added. The viewer
// dialog opens over `parent`.
void SetFormPosition(const QString &htmlfile, QWidget *parent = nullptr);
