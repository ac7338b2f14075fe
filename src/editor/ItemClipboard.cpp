#include "ItemClipboard.h"

ItemGrid::Row &ItemClipboard()
{
    static ItemGrid::Row clipboard;
    return clipboard;
}
