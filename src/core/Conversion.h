// Writing a document's form into an HTML file: a new page, or the block between the
// marker lines of an existing page, leaving the rest of that page as it was.
#pragma once

#include "ItemGrid.h"
#include "NativePath.h"
#include "Outcome.h"
#include "TextFile.h"
#include "WebFormInfo.h"

// The page buffer of a new page and of the form position dialog. A merge into an existing
// page and the converter's form position read the page straight from its file instead.
TextFile &PageBuffer();

// A pair of marker lines is usable when the start is on line 2 or later and the end
// follows it. `start` and `end` are FindFirst results (0 when absent).
bool IsValidMarkerPair(qint32 start, qint32 end);

// silent false: merge into an existing `outputfile` (or make a new page where there is
// none) and return the message to show. silent true (the preview): always a new page,
// and a message only when the operation itself broke down.
Outcome ConvertToHtml(const ItemGrid &grid, const WebFormInfo &info, const NativePath &outputfile,
                      bool silent);

// The Convert command: refuses an empty output file, otherwise converts into it.
Outcome ConvertDocument(const ItemGrid &grid, const WebFormInfo &info);

QString NoOutputFileMessage();
// The second line of the refusal of a page without a usable marker pair: it sends the
// user to the Select Form Position command.
QString SelectPositionAdvice();
