#pragma once
// Start and end of the conduit library. The first start loads the resource library
// "VelvixLang.DLL" through PalmCmn and shows the conduit's message boxes as widgets; nested
// starts share that load, and the last end frees it and restores the library's own resources.

void StartConduitLibrary();
void EndConduitLibrary();

// The resources in use: the resource library's handle, or null for the library's own.
void* ConduitResourceHandle();
