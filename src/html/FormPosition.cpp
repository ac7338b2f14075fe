#include "FormPosition.h"

void SetFormPosition(const QString &)
{
    // The position dialog arrives with the form position command.
}
