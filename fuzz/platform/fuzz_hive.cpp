// Any text as a registry hive, and any value written into it: the readers must not crash, and
// a write that reports success must read back exactly, leave every other value as it was, and
// be refused only where a write into an empty hive is refused too (or the text is no hive).
//
// Input: type byte, key length, name length, value length, then the key path, value name and
// value data, then the hive text.
#include "HiveText.h"
#include "Registry.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

std::string scratchPath(const char* name)
{
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/vantora-hive-fuzz-" + std::to_string(::getpid()) +
           name;
}

void replaceWith(const std::string& path, std::string_view text)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

std::string contents(const std::string& path)
{
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, count);
        std::fclose(file);
    }
    return text;
}

bool write(const std::string& hive, const std::string& keyPath, const std::string& name,
           const registry::Value& value)
{
    ::setenv("VANTORA_REGISTRY", hive.c_str(), 1);
    std::string error;
    const bool written = registry::writeValue(keyPath, name, value, error);
    if (!written && error.empty())
        std::abort();
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string hive = scratchPath(".reg");
    static const std::string emptyHive = scratchPath("-empty.reg");
    if (size < 4)
        return 0;
    const std::size_t keySize = data[1], nameSize = data[2], valueSize = data[3];
    std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
    if (rest.size() < keySize + nameSize + valueSize)
        return 0;
    const std::string keyPath(rest.substr(0, keySize));
    const std::string name(rest.substr(keySize, nameSize));
    registry::Value value;
    value.type = data[0] % 8;
    value.data.assign(rest.begin() + long(keySize + nameSize), rest.begin() + long(keySize + nameSize + valueSize));
    const std::string_view text = rest.substr(keySize + nameSize + valueSize);

    // Parsing, formatting and parsing again sees the same values.
    const registry::hive::Hive parsed = registry::hive::parse(text);
    const registry::hive::ReadableValues before = registry::hive::readableValues(parsed);
    if (registry::hive::readableValues(registry::hive::parse(registry::hive::format(parsed))) != before)
        std::abort();

    replaceWith(hive, text);
    if (!write(hive, keyPath, name, value)) {
        if (contents(hive) != text)
            std::abort();
        std::remove(emptyHive.c_str());
        const bool isHive =
            parsed.entries.empty() || parsed.entries.front().kind == registry::hive::EntryKind::Header;
        if (isHive && write(emptyHive, keyPath, name, value))
            std::abort();
        return 0;
    }

    ::setenv("VANTORA_REGISTRY", hive.c_str(), 1);
    registry::Key key;
    std::uint32_t type = 0, length = 0;
    if (registry::openKey(keyPath, key) != registry::kSuccess ||
        registry::queryValue(key, name, &type, nullptr, &length) != registry::kSuccess)
        std::abort();
    std::vector<std::uint8_t> read(length);
    if (registry::queryValue(key, name, &type, read.data(), &length) != registry::kSuccess || type != value.type ||
        read != value.data)
        std::abort();

    registry::hive::ReadableValues after = registry::hive::readableValues(registry::hive::parse(contents(hive)));
    after[registry::hive::lowerName(keyPath)].erase(registry::hive::lowerName(name));
    registry::hive::ReadableValues expected = before;
    expected[registry::hive::lowerName(keyPath)].erase(registry::hive::lowerName(name));
    if (after != expected)
        std::abort();
    return 0;
}
