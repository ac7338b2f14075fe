#include "ViewState.h"

ViewState &ViewState::instance()
{
    static ViewState state;
    return state;
}
