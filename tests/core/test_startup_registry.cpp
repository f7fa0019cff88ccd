#include "ApoyoRegistry.h"
#include "Registry.h"
#include "TempDir.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

const char* const kKey = "SOFTWARE\\Kelmion\\Vantora PC";

class RegistryReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("VANTORA_REGISTRY", hive.c_str(), 1);
        testsupport::writeFile(hive, "REGEDIT4\n"
                                     "\n"
                                     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kelmion\\Vantora PC]\n"
                                     "\"Database\"=\"/office/practice.mdb\"\n"
                                     "\"Empty\"=\"\"\n"
                                     "\"Count\"=dword:0000002a\n"
                                     "\"AllBits\"=dword:ffffffff\n"
                                     "\"OneByte\"=hex(4):05\n"
                                     "\"TooLong\"=hex(4):01,02,03,04,05\n"
                                     "\"NoTerminator\"=hex(1):61,62\n"
                                     "\"NoBytes\"=hex(1):\n"
                                     "\"Binary\"=hex:01\n"
                                     "\"Expandable\"=hex(2):61,00\n"
                                     "\"Several\"=hex(7):61,00,00\n");
    }
    void TearDown() override { ::unsetenv("VANTORA_REGISTRY"); }

    testsupport::TempDir folder;
    std::string hive = folder.file("registry.reg");
};

}  // namespace

TEST_F(RegistryReaderTest, StringsAndNumbersAreRead)
{
    QVariant value;
    EXPECT_EQ(GetRegSetting(kKey, "Database", value), 0);
    EXPECT_EQ(value, QVariant(QString("/office/practice.mdb")));
    EXPECT_EQ(GetRegSetting("software\\KELMION\\vantora pc", "DATABASE", value), 0);
    EXPECT_EQ(value, QVariant(QString("/office/practice.mdb")));
    EXPECT_EQ(GetRegSetting(kKey, "Empty", value), 0);
    EXPECT_EQ(value, QVariant(QString("")));

    EXPECT_EQ(GetRegSetting(kKey, "Count", value), 0);
    EXPECT_EQ(value, QVariant(qint32(42)));
    EXPECT_EQ(GetRegSetting(kKey, "AllBits", value), 0);
    EXPECT_EQ(value, QVariant(qint32(-1)));
    EXPECT_EQ(GetRegSetting(kKey, "OneByte", value), 0);
    EXPECT_EQ(value, QVariant(qint32(5)));
}

TEST_F(RegistryReaderTest, OnlyTheTerminatingNulIsDropped)
{
    QVariant value;
    EXPECT_EQ(GetRegSetting(kKey, "NoTerminator", value), 0);
    EXPECT_EQ(value, QVariant(QString("ab")));
    EXPECT_EQ(GetRegSetting(kKey, "NoBytes", value), 0);
    EXPECT_EQ(value, QVariant(QString("")));
}

TEST_F(RegistryReaderTest, FailuresLeaveTheOutputAlone)
{
    const QVariant before(QString("untouched"));
    struct Case {
        const char* key;
        const char* name;
        qint32 result;
    };
    const Case cases[] = {
        {"SOFTWARE\\Kelmion\\Missing", "Database", 2},
        {kKey, "Missing", 2},
        {kKey, "Binary", -1},
        {kKey, "Expandable", -1},
        {kKey, "Several", -1},
        {kKey, "TooLong", 234},
    };
    for (const Case& one : cases) {
        QVariant value = before;
        EXPECT_EQ(GetRegSetting(one.key, one.name, value), one.result) << one.name;
        EXPECT_EQ(value, before) << one.name;
    }
}
