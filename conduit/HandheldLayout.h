#pragma once
// The record layout a handheld database describes in its application-info block.
#include <cstdint>
#include <string>
#include <vector>

struct SyncTableDescription;

// Size of the buffer the application-info block is read into.
inline constexpr std::size_t kHandheldBlockSize = 2000;
// Bytes of the HandheldTimeStamp at the start of every stored record:
// year - 2000, month, day, hour, minute, second.
inline constexpr std::size_t kHandheldTimeStampSize = 6;

struct HandheldFieldDescriptor {
    std::string name;     // at most 9 characters
    std::uint16_t type = 0;
    std::uint16_t length = 0;
    std::uint16_t offset = 0;  // in the described structure; the stored record starts at 2
};

struct HandheldLayout {
    std::uint16_t recordLength = 0;  // L: a stored record is L - 2 bytes
    std::vector<HandheldFieldDescriptor> fields;

    std::size_t storedRecordSize() const { return recordLength >= 2 ? recordLength - 2u : 0u; }
};

// Reads the layout from the block's bytes. Every count, length and offset is checked against the
// block and the record it describes: false with the reason when they do not fit.
bool ReadHandheldLayout(const std::vector<std::uint8_t>& block, HandheldLayout& layout, std::string& error);

// The layout of an open table, read from its application-info block when OpenPalmTable checked
// it; empty for a table that is not open.
const HandheldLayout& ReadTableLayout(const SyncTableDescription& table);
