#include "ConduitMessages.h"

#include <cstdio>

namespace {

// Without a window system the box still reaches whoever runs the HotSync.
void writeToStandardError(const std::string& text, const std::string& caption)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

ConduitMessageHandler& currentHandler()
{
    static ConduitMessageHandler handler = writeToStandardError;
    return handler;
}

}  // namespace

void ConduitMessageBox(const std::string& text, const std::string& caption)
{
    currentHandler()(text, caption);
}

void SetConduitMessageHandler(ConduitMessageHandler handler)
{
    currentHandler() = handler != nullptr ? handler : writeToStandardError;
}
