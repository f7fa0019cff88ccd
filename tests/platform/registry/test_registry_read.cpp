#include "HiveFixture.h"

#include <vector>

using registry::Value;

namespace {

const char* const kProduct = "SOFTWARE\\Maker\\Product";

std::vector<std::uint8_t> bytes(std::initializer_list<int> list)
{
    return std::vector<std::uint8_t>(list.begin(), list.end());
}

}  // namespace

TEST_F(HiveTest, ValuesKeepTheirTypes)
{
    writeHive("REGEDIT4\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Product]\n"
              "\"Database\"=\"C:\\\\Office\\\\a \\\"b\\\".mdb\"\n"
              "\"Count\"=dword:0000000a\n"
              "\"Big\"=dword:ffffffff\n"
              "\"Blob\"=hex:01,02,ff\n"
              "\"List\"=hex(7):61,00,00\n"
              "\"Empty\"=hex:\n"
              "@=\"default\"\n");
    Value value;
    ASSERT_EQ(read(kProduct, "Database", value), registry::kSuccess);
    EXPECT_EQ(value.type, registry::kTypeString);
    EXPECT_EQ(readText(kProduct, "Database"), "C:\\Office\\a \"b\".mdb");

    ASSERT_EQ(read(kProduct, "Count", value), registry::kSuccess);
    EXPECT_EQ(value.type, registry::kTypeDword);
    EXPECT_EQ(value.data, bytes({10, 0, 0, 0}));
    ASSERT_EQ(read(kProduct, "Big", value), registry::kSuccess);
    EXPECT_EQ(value.data, bytes({0xff, 0xff, 0xff, 0xff}));

    ASSERT_EQ(read(kProduct, "Blob", value), registry::kSuccess);
    EXPECT_EQ(value.type, registry::kTypeBinary);
    EXPECT_EQ(value.data, bytes({1, 2, 0xff}));
    ASSERT_EQ(read(kProduct, "List", value), registry::kSuccess);
    EXPECT_EQ(value.type, registry::kTypeMultiString);
    EXPECT_EQ(value.data, bytes({0x61, 0, 0}));
    ASSERT_EQ(read(kProduct, "Empty", value), registry::kSuccess);
    EXPECT_TRUE(value.data.empty());

    EXPECT_EQ(readText(kProduct, ""), "default");
}

TEST_F(HiveTest, MissingHiveKeyOrValueAnswersFileNotFound)
{
    registry::Key key;
    EXPECT_EQ(registry::openKey(kProduct, key), registry::kFileNotFound);  // no hive file yet

    writeHive("REGEDIT4\n\n[SOFTWARE\\Maker\\Product\\Deeper]\n\"Name\"=\"x\"\n");
    EXPECT_EQ(registry::openKey("SOFTWARE\\Other", key), registry::kFileNotFound);
    EXPECT_EQ(registry::openKey("SOFTWARE\\Maker\\Prod", key), registry::kFileNotFound);
    // A key with only keys below it exists, without values.
    ASSERT_EQ(registry::openKey(kProduct, key), registry::kSuccess);
    std::uint32_t size = 0;
    EXPECT_EQ(registry::queryValue(key, "Name", nullptr, nullptr, &size), registry::kFileNotFound);
    EXPECT_EQ(readText("SOFTWARE\\Maker\\Product\\Deeper", "Name"), "x");
    EXPECT_EQ(readText("SOFTWARE\\Maker\\Product\\Deeper", "Other"), "<2>");
}

TEST_F(HiveTest, PathsAndNamesMatchWithoutRegardToCase)
{
    writeHive("REGEDIT4\n\n[hkey_local_machine\\Software\\MAKER\\product]\n\"DataBase\"=\"a.mdb\"\n");
    EXPECT_EQ(readText("SOFTWARE\\Maker\\Product", "database"), "a.mdb");
    EXPECT_EQ(readText("software\\maker\\PRODUCT", "DATABASE"), "a.mdb");
}

TEST_F(HiveTest, QueryAnswersSizeFirstAndMoreDataForSmallBuffers)
{
    writeHive("REGEDIT4\n\n[SOFTWARE\\Maker\\Product]\n\"Database\"=\"abc\"\n");
    registry::Key key;
    ASSERT_EQ(registry::openKey(kProduct, key), registry::kSuccess);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    ASSERT_EQ(registry::queryValue(key, "Database", &type, nullptr, &size), registry::kSuccess);
    EXPECT_EQ(type, registry::kTypeString);
    EXPECT_EQ(size, 4u);  // with its NUL

    std::uint8_t buffer[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    size = 3;
    EXPECT_EQ(registry::queryValue(key, "Database", &type, buffer, &size), registry::kMoreData);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buffer[0], 'x');
    size = sizeof buffer;
    ASSERT_EQ(registry::queryValue(key, "Database", &type, buffer, &size), registry::kSuccess);
    EXPECT_EQ(size, 4u);
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer), "abc");
    EXPECT_EQ(registry::queryValue(key, "Database", &type, buffer, nullptr), registry::kInvalidParameter);
}

TEST_F(HiveTest, SyntaxErrorsSkipOnlyTheBadLines)
{
    writeHive("REGEDIT4\r\n"
              "; a comment\r\n"
              "\"Orphan\"=\"before any key\"\r\n"
              "[SOFTWARE\\Maker\\Product]\r\n"
              "\"Good\"=\"yes\"\r\n"
              "\"Unterminated\"=\"abc\r\n"
              "\"BadEscape\"=\"a\\nb\"\r\n"
              "\"BadDword\"=dword:12345678a\r\n"
              "\"BadHex\"=hex:01,zz\r\n"
              "\"NoEquals\" \"x\"\r\n"
              "garbage line\r\n"
              "\"Wrapped\"=hex:01,02,\\\r\n"
              "  03,04\r\n"
              "\"After\"=dword:00000001\r\n"
              "[SOFTWARE\\Maker\\Broken\r\n"
              "\"Lost\"=\"belongs to no key\"\r\n"
              "[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Product]\r\n"
              "\"User\"=\"other root\"\r\n"
              "[SOFTWARE\\Maker\\Product]\r\n"
              "\"Good\"=\"last one counts\"\r\n");
    EXPECT_EQ(readText(kProduct, "Good"), "last one counts");
    EXPECT_EQ(readText(kProduct, "After"), "<type 4>");
    Value wrapped;
    ASSERT_EQ(read(kProduct, "Wrapped", wrapped), registry::kSuccess);
    EXPECT_EQ(wrapped.data, bytes({1, 2, 3, 4}));
    for (const char* name : {"Orphan", "Unterminated", "BadEscape", "BadDword", "BadHex", "NoEquals", "Lost",
                             "User"})
        EXPECT_EQ(readText(kProduct, name), "<2>") << name;
    registry::Key key;
    EXPECT_EQ(registry::openKey("SOFTWARE\\Maker\\Broken", key), registry::kFileNotFound);
}

TEST_F(HiveTest, HivePathComesFromTheEnvironment)
{
    struct SavedVariable {
        const char* name;
        const char* saved = std::getenv(name);
        std::string value = saved ? saved : "";
        ~SavedVariable() { saved ? ::setenv(name, value.c_str(), 1) : ::unsetenv(name); }
    };
    SavedVariable config{"XDG_CONFIG_HOME"};
    SavedVariable home{"HOME"};

    EXPECT_EQ(registry::hivePath(), hive);
    ::setenv("VANTORA_REGISTRY", "", 1);
    ::setenv("XDG_CONFIG_HOME", "/config/here", 1);
    EXPECT_EQ(registry::hivePath(), "/config/here/vantora/registry.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(registry::hivePath(), "/home/someone/.config/vantora/registry.reg");
}
