// The Quick Start Wizard.
#pragma once

class QWidget;

namespace frmWizard {
// Shows the wizard modally.
void ShowWizard(QWidget *parent);
} // namespace frmWizard
