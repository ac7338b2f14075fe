// Marking where the form goes in an existing page: the short marker lines placed after a
// chosen line, and the removal of a block generated earlier.
#pragma once

#include "NativePath.h"
#include "Outcome.h"
#include "TextFile.h"

#include <QByteArray>
#include <QList>

// More lines than this are not offered for choosing a position.
constexpr qint32 MaxPositionLines = 200000;

// Loads `htmlfile` into `page`. A refusal carries the message to show; ok() when loaded.
Outcome LoadPositionPage(TextFile &page, const NativePath &htmlfile);

// True when the page holds a valid pair of marker lines (a block this program wrote or
// placed); RemoveGeneratedBlock removes it with both marker lines.
bool HasGeneratedBlock(const TextFile &page);
void RemoveGeneratedBlock(TextFile &page);

// Puts the short start and end marker lines after line `selected` + 1 of `lines`
// (`selected` counts from 0; -1 puts them before the first line).
void InsertPositionMarkers(QList<QByteArray> &lines, int selected);

// Takes `lines` into the page and saves it; the message of success or failure.
Outcome SavePositionPage(TextFile &page, const QList<QByteArray> &lines,
                         const NativePath &htmlfile);

QString RemoveBlockQuestion();

// The converter's form position: puts the short marker lines after line `line` of
// `htmlfile` (0: before the first; the command line refuses 0), after removing a block written
// earlier when `removeExisting` (a page holding one is refused otherwise). The page is read
// straight from its file and never held as lines, whatever its size.
Outcome PlacePositionMarkers(const NativePath &htmlfile, qint64 line, bool removeExisting);
