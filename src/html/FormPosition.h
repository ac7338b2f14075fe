// Marking where the form goes in an existing HTML page.
#pragma once

#include <QString>

void SetFormPosition(const QString &htmlfile);
