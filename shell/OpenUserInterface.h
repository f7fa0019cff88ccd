#pragma once

// What the program shows once connected: the splash until it closes itself, then the main
// window, which becomes MainForm.
void OpenUserInterface();
