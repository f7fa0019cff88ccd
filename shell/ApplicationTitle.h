#pragma once

// The application's title: the caption of every message box and of the main window.
inline constexpr const char* kApplicationTitle = "Vantora";
