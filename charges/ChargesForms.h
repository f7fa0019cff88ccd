#pragma once

// Registers the charge forms and dialogs under their names.
void RegisterChargesForms();
