#pragma once

// Registers the charge editor and the charge print choice under their form names.
void RegisterChargeEditorForms();
