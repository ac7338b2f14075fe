// Turns one document into the lines of its marked HTML form block.
#pragma once

#include "ItemGrid.h"
#include "TextFile.h"
#include "WebFormInfo.h"

// The marker comment lines that bracket a form block.
namespace Markers {
inline const QByteArray StartKeyword = QByteArrayLiteral("FORM_START_CMD");
inline const QByteArray EndKeyword = QByteArrayLiteral("FORM_END_CMD");
QByteArray fullLine(const QByteArray &keyword);  // <!-- KEYWORD: Do NOT edit ... -->
QByteArray shortLine(const QByteArray &keyword); // <!-- KEYWORD -->
} // namespace Markers

// Inserts the block after line `afterline` of `buffer`, one line after another: the start
// marker, the FORM tag, the lines of every item row of `grid` in order, the submit and
// reset buttons, </FORM> and the end marker. Rows of an unknown type give nothing.
// Attribute values have '"' written as &quot;; label, option and text-area texts go in raw.
void GenerateFormCode(TextFile &buffer, qint32 afterline, const ItemGrid &grid,
                      const WebFormInfo &info);
