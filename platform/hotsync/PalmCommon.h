#pragma once
// PalmCmn (libPalmCmn): resource libraries. A relative file name is looked up in the HotSync
// directory.

extern "C" {

// Loads the resource library and answers its handle; when it cannot be loaded the caller's
// current handle comes back unchanged, so the caller keeps its own resources.
void* PalmLoadResourceLibrary(const char* fileName, void* currentResources);
// Frees a library loaded above and answers savedDefault, the handle to use again.
void* PalmFreeResourceLibrary(void* loadedResources, void* savedDefault);

}  // extern "C"
