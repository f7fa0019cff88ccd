#pragma once
// Message boxes of the conduit. The conduit library shows them as modal boxes; tests and other
// hosts put their own handler in place.
#include <string>

using ConduitMessageHandler = void (*)(const std::string& text, const std::string& caption);

// Shows one message box with an OK button and no owner; returns when it was dismissed.
void ConduitMessageBox(const std::string& text, const std::string& caption);

// The default handler.
void WriteConduitMessageToStandardError(const std::string& text, const std::string& caption);

// Replaces the handler; null restores the default, which writes the box to the standard error.
void SetConduitMessageHandler(ConduitMessageHandler handler);
