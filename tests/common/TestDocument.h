// Building documents for the core tests from plain lists of cells and property lines.
#pragma once

#include "ItemGrid.h"
#include "WebFormInfo.h"

#include <QByteArrayList>
#include <memory>

namespace TestDocument {

// A grid holding `cells`, eight to a row, row after row; no cells leave the placeholder.
inline std::unique_ptr<ItemGrid> gridOf(const QByteArrayList &cells)
{
    auto grid = std::make_unique<ItemGrid>();
    for (int i = 0; i < cells.size(); ++i) {
        const int row = i / ItemColumnCount + 1;
        if (row >= grid->rows())
            grid->addRow(row);
        grid->setText(row, i % ItemColumnCount, cells.at(i));
    }
    return grid;
}

// Every cell of every item row, row after row.
inline QByteArrayList cellsOf(const QList<ItemGrid::Row> &rows)
{
    QByteArrayList cells;
    for (const ItemGrid::Row &row : rows)
        cells += QByteArrayList(row.begin(), row.end());
    return cells;
}

// The six property lines of a .wfm file: output, CGI, "True" for GET, media, submit, reset.
inline WebFormInfo infoOf(const QByteArrayList &props)
{
    WebFormInfo info;
    info.OutputFile = props.at(0);
    info.CGIFile = props.at(1);
    info.MethodGet = props.at(2) == "True";
    info.MediaType = props.at(3);
    info.SubmitText = props.at(4);
    info.ResetText = props.at(5);
    return info;
}

inline QByteArrayList propsOf(const WebFormInfo &info)
{
    return {info.OutputFile, info.CGIFile,    info.MethodGet ? "True" : "False",
            info.MediaType,  info.SubmitText, info.ResetText};
}

inline WebFormInfo newInfo()
{
    WebFormInfo info;
    info.setNewDocumentProperties();
    return info;
}

} // namespace TestDocument
