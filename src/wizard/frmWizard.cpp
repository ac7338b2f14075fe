#include "frmWizard.h"

void frmWizard::ShowWizard(QWidget *)
{
    // The wizard's pages arrive with the wizard itself; until then there is nothing to show.
}
