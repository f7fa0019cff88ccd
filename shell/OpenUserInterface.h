#pragma once

// What the program shows once connected: the main window, which becomes MainForm.
void OpenUserInterface();
