// The form the benchmarks convert: one item of every type in turn.
#pragma once

#include "Choices.h"
#include "ItemGrid.h"
#include "ItemTypes.h"
#include "WebFormInfo.h"

// One item of every type in turn, with cells as the item dialogs fill them.
inline void fillRow(ItemGrid &grid, int row, int n)
{
    const QByteArray type = ItemTypeName(n % 9).toLatin1();
    const QByteArray num = QByteArray::number(n);
    ItemGrid::Row cells{};
    cells[ColType] = type;
    cells[ColName] = "field" + num;
    cells[ColLabel] = "Question number " + num + ":";
    switch (n % 9) {
    case 0:
        cells[ColLabel] = "Section " + num;
        cells[ColName].clear();
        break;
    case 1:
    case 2:
        cells[ColDefault] = "say \"hello\"";
        cells[ColCols] = "40";
        cells[ColMax] = "60";
        break;
    case 3:
        cells[ColDefault] = "secret-" + num;
        cells[ColLabel].clear();
        break;
    case 4:
        cells[ColDefault] = "Some text";
        cells[ColCols] = "50";
        cells[ColRows] = "4";
        break;
    case 5:
        cells[ColDefault] = "Allow multiple selections";
        cells[ColRows] = "3";
        cells[ColOther] = EncodeChoices({"Red", "Green", "Blue", "Yellow"});
        break;
    case 6:
        cells[ColDefault] = "Checked";
        break;
    case 7:
        cells[ColDefault] = "On";
        cells[ColOther] = "value" + num;
        break;
    case 8:
        cells[ColDefault] = "images/button.gif";
        cells[ColOther] = "middle";
        break;
    }
    for (int col = 0; col < ItemColumnCount; ++col)
        grid.setText(row, col, cells[col]);
}

inline void makeForm(ItemGrid &grid, WebFormInfo &info, int items)
{
    info.setNewDocumentProperties();
    info.OutputFile = "/srv/www/form.htm";
    info.CGIFile = "/cgi-bin/FormMail.pl";
    for (int n = 0; n < items; ++n) {
        if (n > 0)
            grid.addRow(grid.rows());
        fillRow(grid, n + 1, n);
    }
}
