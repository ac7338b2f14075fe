#include "FrameWindow.h"

namespace {
FrameWindow *g_frameWindow = nullptr;
}

FrameWindow::FrameWindow()
{
    g_frameWindow = this;
}

FrameWindow::~FrameWindow()
{
    if (g_frameWindow == this)
        g_frameWindow = nullptr;
}

FrameWindow *FrameWindow::instance()
{
    return g_frameWindow;
}
