#pragma once

// Registers every list form, edit dialog and picker of this folder under its name, so the
// main window and the charge forms open them without including them.
void RegisterRecordsForms();

// One registration per family of forms, each in the file of its family.
void RegisterListFormBasics();
void RegisterPatientForms();
void RegisterProviderForms();
void RegisterCodeTableForms();
