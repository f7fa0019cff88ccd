// The conduit library's start and end, run when the HotSync manager loads and unloads it.
#include "ConduitLibrary.h"

namespace {

__attribute__((constructor)) void startLibrary()
{
    StartConduitLibrary();
}

__attribute__((destructor)) void endLibrary()
{
    EndConduitLibrary();
}

}  // namespace
