// View options shared by every document window for the whole run.
#pragma once

#include <QtGlobal>

struct ViewState
{
    bool AutoCellSizing = true;
    bool InternalViewer = true;
    quint32 HighlightColour = 65535; // 0x00BBGGRR: yellow

    static ViewState &instance();
};
