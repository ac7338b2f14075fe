// Reading and writing Web Form Files (.wfm): six property lines, eight lines per item
// row, and a closing "[EOF]" line, every line ended by CR LF.
#pragma once

#include "ItemGrid.h"
#include "NativePath.h"
#include "WebFormInfo.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct WebFormFileContents
{
    WebFormInfo properties;      // only the six property fields are meaningful
    QList<ItemGrid::Row> rows;   // at least one row: the placeholder when there are no items
    bool reachedEndLine = false; // false when the file ended before its "[EOF]" line
};

struct WebFormReadResult
{
    bool opened = false;
    QString errorText; // the system's description when the file could not be read
    WebFormFileContents contents;
};

// Parses the bytes of a Web Form File. Reading stops at "[EOF]" where a new row would
// start, or at the end of the bytes, whatever they hold.
WebFormFileContents ParseWebFormFile(const QByteArray &bytes);
// A file that is not a regular file, or too large for memory, is not opened.
WebFormReadResult ReadWebFormFile(const NativePath &filename);

// The bytes of a Web Form File for these properties and item rows 1 to rows() - 1.
QByteArray FormatWebFormFile(const WebFormInfo &info, const ItemGrid &grid);
// Writes the file through SafeFile. Returns the system's description of the failure, or
// the empty text on success.
QString WriteWebFormFile(const NativePath &filename, const WebFormInfo &info, const ItemGrid &grid);

// Puts the rows read from a file into a grid: the first into the placeholder row, the
// others appended.
void FillGrid(ItemGrid &grid, const QList<ItemGrid::Row> &rows);

// The messages of reading and writing.
QString OpenFailedMessage(const QString &errorText);
QString SaveFailedMessage(const QString &filename, const QString &errorText);
QString TooManyFilesToOpenMessage();
QString EndedEarlyMessage(const QString &filename);
