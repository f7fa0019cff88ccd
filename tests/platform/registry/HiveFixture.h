#pragma once
#include "Registry.h"
#include "TempDir.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

// Every case gets its own hive file, named through VANTORA_REGISTRY.
class HiveTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("VANTORA_REGISTRY", hive.c_str(), 1); }
    void TearDown() override { ::unsetenv("VANTORA_REGISTRY"); }

    void writeHive(const std::string& text) { testsupport::writeFile(hive, text); }
    std::string hiveText() const { return testsupport::readFile(hive); }

    // Opens the key and queries the value whole; the first failing result code.
    static long read(const std::string& keyPath, const std::string& name, registry::Value& value)
    {
        registry::Key key;
        long result = registry::openKey(keyPath, key);
        if (result != registry::kSuccess)
            return result;
        std::uint32_t size = 0;
        result = registry::queryValue(key, name, &value.type, nullptr, &size);
        if (result != registry::kSuccess)
            return result;
        value.data.assign(size, 0);
        return registry::queryValue(key, name, &value.type, value.data.data(), &size);
    }

    // The text of a string value, or "<code>" when it cannot be read as one.
    static std::string readText(const std::string& keyPath, const std::string& name)
    {
        registry::Value value;
        long result = read(keyPath, name, value);
        if (result != registry::kSuccess)
            return "<" + std::to_string(result) + ">";
        if (value.type != registry::kTypeString || value.data.empty() || value.data.back() != 0)
            return "<type " + std::to_string(value.type) + ">";
        return std::string(value.data.begin(), value.data.end() - 1);
    }

    testsupport::TempDir folder;
    std::string hive = folder.file("registry.reg");
};
