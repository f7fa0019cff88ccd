#include "ConduitMessages.h"

#include <cstdio>

// Without a window system the box still reaches whoever runs the HotSync.
void WriteConduitMessageToStandardError(const std::string& text, const std::string& caption)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

namespace {

ConduitMessageHandler& currentHandler()
{
    static ConduitMessageHandler handler = WriteConduitMessageToStandardError;
    return handler;
}

}  // namespace

void ConduitMessageBox(const std::string& text, const std::string& caption)
{
    currentHandler()(text, caption);
}

void SetConduitMessageHandler(ConduitMessageHandler handler)
{
    currentHandler() = handler != nullptr ? handler : WriteConduitMessageToStandardError;
}
