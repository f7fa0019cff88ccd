#include "HiveFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>

using registry::Value;

namespace {

const char* const kProduct = "SOFTWARE\\Maker\\Product";

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST_F(HiveTest, WriterCreatesTheHiveAndItsFolder)
{
    hive = folder.file("deeper/still/registry.reg");
    ::setenv("VANTORA_REGISTRY", hive.c_str(), 1);
    std::string error;
    ASSERT_TRUE(registry::writeStringValue(kProduct, "Database", "/data/a.mdb", error)) << error;
    ASSERT_TRUE(registry::writeDwordValue(kProduct, "Count", 0x1234abcd, error)) << error;
    EXPECT_EQ(hiveText(), "REGEDIT4\n"
                          "\n"
                          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Product]\n"
                          "\"Database\"=\"/data/a.mdb\"\n"
                          "\"Count\"=dword:1234abcd\n");
    EXPECT_EQ(readText(kProduct, "Database"), "/data/a.mdb");
    Value number;
    ASSERT_EQ(read(kProduct, "count", number), registry::kSuccess);
    EXPECT_EQ(number.type, registry::kTypeDword);
    EXPECT_EQ(number.data, (std::vector<std::uint8_t>{0xcd, 0xab, 0x34, 0x12}));
}

TEST_F(HiveTest, ValuesRoundTripThroughTheFile)
{
    const std::string awkward = "C:\\Office\\\"quoted\"\\";
    const std::string multiline = "line one\nline two";
    Value list{registry::kTypeMultiString, {'a', 0, 'b', 0, 0}};
    Value longBinary{registry::kTypeBinary, {}};
    for (int i = 0; i < 100; ++i)
        longBinary.data.push_back(static_cast<std::uint8_t>(i * 7));
    std::string error;
    ASSERT_TRUE(registry::writeStringValue(kProduct, "Awkward", awkward, error)) << error;
    ASSERT_TRUE(registry::writeStringValue(kProduct, "Multi\"line", multiline, error)) << error;
    ASSERT_TRUE(registry::writeStringValue(kProduct, "", "default", error)) << error;
    ASSERT_TRUE(registry::writeValue(kProduct, "List", list, error)) << error;
    ASSERT_TRUE(registry::writeValue(kProduct, "Long", longBinary, error)) << error;

    EXPECT_TRUE(contains(hiveText(), "\"Awkward\"=\"C:\\\\Office\\\\\\\"quoted\\\"\\\\\"\n"));
    EXPECT_TRUE(contains(hiveText(), "@=\"default\"\n"));
    EXPECT_EQ(readText(kProduct, "Awkward"), awkward);
    EXPECT_EQ(readText(kProduct, "multi\"LINE"), multiline);
    EXPECT_EQ(readText(kProduct, ""), "default");
    Value read_;
    ASSERT_EQ(read(kProduct, "List", read_), registry::kSuccess);
    EXPECT_EQ(read_.type, list.type);
    EXPECT_EQ(read_.data, list.data);
    ASSERT_EQ(read(kProduct, "Long", read_), registry::kSuccess);
    EXPECT_EQ(read_.data, longBinary.data);
    for (const std::string& line : {std::string("\n  "), std::string(",\\\n")})
        EXPECT_TRUE(contains(hiveText(), line)) << "long binary data should wrap";
}

TEST_F(HiveTest, WriterKeepsEveryOtherLineIncludingBadOnes)
{
    const std::string original = "REGEDIT4\r\n"
                                 "; kept comment\r\n"
                                 "\r\n"
                                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\r\n"
                                 "\"Keep\"=dword:00000005\r\n"
                                 "this line is broken\r\n"
                                 "\r\n"
                                 "[software\\maker\\product]\r\n"
                                 "\"DATABASE\"=\"old.mdb\"\r\n"
                                 "\"Bad\"=\"unterminated\r\n"
                                 "\"Wrapped\"=hex:01,\\\r\n"
                                 "  02\r\n"
                                 "\r\n"
                                 "[SOFTWARE\\Broken\r\n"
                                 "\"Stray\"=\"x\"\r\n";
    writeHive(original);
    std::string error;
    ASSERT_TRUE(registry::writeStringValue(kProduct, "Database", "new.mdb", error)) << error;
    ASSERT_TRUE(registry::writeStringValue(kProduct, "Added", "here", error)) << error;
    ASSERT_TRUE(registry::writeStringValue("SOFTWARE\\Broken", "Stray", "y", error)) << error;

    std::string expected = original;
    expected.replace(expected.find("\"DATABASE\"=\"old.mdb\""), 20, "\"Database\"=\"new.mdb\"");
    expected.insert(expected.find("  02\r\n") + 6, "\"Added\"=\"here\"\r\n");
    expected += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Broken]\r\n\"Stray\"=\"y\"\r\n";
    EXPECT_EQ(hiveText(), expected);
    EXPECT_EQ(readText("SOFTWARE\\Other", "Keep"), "<type 4>");
    EXPECT_EQ(readText(kProduct, "Database"), "new.mdb");
    EXPECT_EQ(readText(kProduct, "Added"), "here");
    EXPECT_EQ(readText("SOFTWARE\\Broken", "Stray"), "y");
}

TEST_F(HiveTest, AWriteAfterALineEndingInABackslashReadsBack)
{
    // The last line of the key, and of another key, ends with a hex continuation that would
    // take in whatever line came next.
    const char* const kVantora = "SOFTWARE\\Kelmion\\Vantora PC";
    writeHive("REGEDIT4\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kelmion\\Vantora PC]\n"
              "\"Extra\"=hex:01,02,\\\n");
    std::string error;
    ASSERT_TRUE(registry::writeStringValue(kVantora, "Database", "/data/a.mdb", error)) << error;
    EXPECT_EQ(readText(kVantora, "Database"), "/data/a.mdb");

    writeHive("REGEDIT4\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\n"
              "\"Keep\"=dword:00000005\n"
              "\"Tail\"=hex:01,\\\\\n");
    ASSERT_TRUE(registry::writeStringValue(kVantora, "Database", "/data/b.mdb", error)) << error;
    EXPECT_EQ(readText(kVantora, "Database"), "/data/b.mdb");
    EXPECT_EQ(readText("SOFTWARE\\Other", "Keep"), "<type 4>");

    // The continuation already took in the blank last line and still waits for more.
    writeHive("REGEDIT4\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\n"
              "\"Tail\"=hex:01,\\\\\\\n"
              "\n");
    ASSERT_TRUE(registry::writeStringValue(kVantora, "Database", "/data/c.mdb", error)) << error;
    EXPECT_EQ(readText(kVantora, "Database"), "/data/c.mdb");
}

TEST_F(HiveTest, WriterRefusesWhatIsNoHiveAndBadNames)
{
    const std::string notAHive = "SQLite format 3\nsomething else\n";
    writeHive(notAHive);
    std::string error;
    EXPECT_FALSE(registry::writeStringValue(kProduct, "Database", "a.mdb", error));
    EXPECT_TRUE(contains(error, hive)) << error;
    EXPECT_EQ(hiveText(), notAHive);

    std::filesystem::remove(hive);
    for (const char* keyPath : {"", "\\SOFTWARE", "SOFTWARE\\", "SOFTWARE\\\\Maker", "HKEY_LOCAL_MACHINE\\X",
                                      "SOFTWARE\nX"}) {
        error.clear();
        EXPECT_FALSE(registry::writeStringValue(keyPath, "Database", "a.mdb", error)) << keyPath;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(registry::writeStringValue(kProduct, "Two\nlines", "a.mdb", error));
    EXPECT_FALSE(std::filesystem::exists(hive));
}

TEST_F(HiveTest, WriteReplacesTheFileAtomically)
{
    std::string error;
    ASSERT_TRUE(registry::writeStringValue(kProduct, "Database", "first.mdb", error)) << error;
    ::chmod(hive.c_str(), 0640);
    const std::string before = hiveText();

    // A reader that opened the hive before the write still sees the whole old file: the new
    // one was written aside and renamed over it, never written into it.
    std::ifstream earlyReader(hive, std::ios::binary);
    ASSERT_TRUE(registry::writeStringValue(kProduct, "Database", std::string(5000, 'x'), error)) << error;
    std::string seenByEarlyReader((std::istreambuf_iterator<char>(earlyReader)), std::istreambuf_iterator<char>());
    EXPECT_EQ(seenByEarlyReader, before);
    EXPECT_EQ(readText(kProduct, "Database"), std::string(5000, 'x'));

    struct stat status {};
    ASSERT_EQ(::stat(hive.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1) << "no temporary file may stay behind";
}

TEST_F(HiveTest, AFolderInPlaceOfTheHiveIsReportedNotReplaced)
{
    std::filesystem::create_directory(hive);
    std::string error;
    EXPECT_FALSE(registry::writeStringValue(kProduct, "Database", "a.mdb", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(hive));
    registry::Key key;
    EXPECT_EQ(registry::openKey(kProduct, key), registry::kAccessDenied);
}

TEST_F(HiveTest, AHiveReachedThroughALinkIsWrittenWhereItIs)
{
    const std::string real = folder.file("real.reg");
    testsupport::writeFile(real, "REGEDIT4\n\n[SOFTWARE\\Other]\n\"Keep\"=\"kept\"\n");
    std::filesystem::create_symlink(real, hive);
    std::string error;
    ASSERT_TRUE(registry::writeStringValue(kProduct, "Database", "a.mdb", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(hive));
    EXPECT_TRUE(contains(testsupport::readFile(real), "\"Database\"=\"a.mdb\""));
    EXPECT_EQ(readText("SOFTWARE\\Other", "Keep"), "kept");
}
