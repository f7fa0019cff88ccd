#pragma once

// Registers the shell's own child forms (information page and web page) by name.
void RegisterShellForms();
