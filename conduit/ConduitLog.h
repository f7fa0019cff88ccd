#pragma once
#include <string>

// Writes one plain-text entry to the HotSync log.
void ConduitLog(const std::string& text);
