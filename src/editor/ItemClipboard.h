// The program's own one-item clipboard, shared by every document window. It counts as
// empty while its Type entry is empty.
#pragma once

#include "ItemGrid.h"

ItemGrid::Row &ItemClipboard();
