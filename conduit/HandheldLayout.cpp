#include "HandheldLayout.h"

#include "FieldConversion.h"
#include "TableDescription.h"

namespace {

constexpr std::size_t kRecordLengthAt = 4;
constexpr std::size_t kFieldCountAt = 16;
constexpr std::size_t kUnusedWordAt = 26;
constexpr std::size_t kDescriptorsAt = 180;
constexpr std::size_t kDescriptorSize = 24;
constexpr std::size_t kDescriptorNameSize = 10;

std::uint16_t wordAt(const std::vector<std::uint8_t>& block, std::size_t at)
{
    return static_cast<std::uint16_t>((block[at] << 8) | block[at + 1]);
}

}  // namespace

bool ReadHandheldLayout(const std::vector<std::uint8_t>& block, HandheldLayout& layout, std::string& error)
{
    if (block.size() < kUnusedWordAt + 2) {
        error = "application-info block of " + std::to_string(block.size()) + " bytes is too short";
        return false;
    }
    HandheldLayout read;
    read.recordLength = wordAt(block, kRecordLengthAt);
    std::size_t count = wordAt(block, kFieldCountAt);
    if (read.recordLength < kHandheldTimeStampSize + 2) {
        error = "record length " + std::to_string(read.recordLength) + " leaves no room for the time stamp";
        return false;
    }
    if (kDescriptorsAt + count * kDescriptorSize > block.size()) {
        error = std::to_string(count) + " field descriptors do not fit the application-info block";
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t at = kDescriptorsAt + i * kDescriptorSize;
        HandheldFieldDescriptor field;
        for (std::size_t c = 0; c < kDescriptorNameSize && block[at + c] != 0; ++c)
            field.name += static_cast<char>(block[at + c]);
        field.type = wordAt(block, at + 10);
        field.length = wordAt(block, at + 14);
        field.offset = wordAt(block, at + 16);
        std::size_t size = StoredFieldSize(field);
        if (IsConvertedType(field.type) && (field.offset < 2 || field.offset - 2u + size > read.storedRecordSize())) {
            error = "field " + field.name + " at " + std::to_string(field.offset) + " of " + std::to_string(size) +
                    " bytes lies outside the record of " + std::to_string(read.recordLength);
            return false;
        }
        read.fields.push_back(field);
    }
    layout = std::move(read);
    return true;
}

const HandheldLayout& ReadTableLayout(const SyncTableDescription& table)
{
    return table.parsedLayout;
}
