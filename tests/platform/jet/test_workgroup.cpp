#include "Sha256.h"
#include "TempDir.h"
#include "Workgroup.h"

#include <gtest/gtest.h>

namespace {

std::string hex(const jet::Sha256Digest& digest)
{
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (const auto byte : digest) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

class JetWorkgroup : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = folder.file("practice.mdw");
        std::string error;
        ASSERT_TRUE(jet::writeWorkgroupFile(path, {{"Quivo", "Quivo"}, {"Admin", "s3cret pass"}}, error)) << error;
    }

    bool check(const std::string& user, const std::string& password)
    {
        error.clear();
        return jet::checkWorkgroupAccount(path, user, password, error);
    }

    testsupport::TempDir folder;
    std::string path;
    std::string error;
};

}  // namespace

TEST(JetSha256, KnownDigests)
{
    EXPECT_EQ(hex(jet::sha256("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(hex(jet::sha256("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits the first block.
    EXPECT_EQ(hex(jet::sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(hex(jet::sha256(std::string(1000, 'a'))),
              "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
}

TEST_F(JetWorkgroup, AcceptsEachAccountWithItsPassword)
{
    EXPECT_TRUE(check("Quivo", "Quivo")) << error;
    EXPECT_TRUE(check("admin", "s3cret pass")) << error;
    EXPECT_TRUE(check("QUIVO", "Quivo")) << error;
}

TEST_F(JetWorkgroup, RefusesWithAReason)
{
    EXPECT_FALSE(check("Quivo", "quivo"));
    EXPECT_NE(error.find("Wrong password"), std::string::npos) << error;
    EXPECT_FALSE(check("Quivo", ""));
    EXPECT_NE(error.find("Wrong password"), std::string::npos) << error;
    EXPECT_FALSE(check("Nobody", "Quivo"));
    EXPECT_NE(error.find("Unknown account"), std::string::npos) << error;
    EXPECT_EQ(error.find("Quivo"), std::string::npos) << "the password must not be shown: " << error;

    error.clear();
    EXPECT_FALSE(jet::checkWorkgroupAccount(folder.file("missing.mdw"), "Quivo", "Quivo", error));
    EXPECT_NE(error.find("not found"), std::string::npos) << error;
    EXPECT_NE(error.find("missing.mdw"), std::string::npos) << error;
}

TEST_F(JetWorkgroup, StoresNeitherThePasswordNorTheSameHashTwice)
{
    const std::string contents = testsupport::readFile(path);
    EXPECT_EQ(contents.find("s3cret"), std::string::npos);
    EXPECT_EQ(contents.find("Quivo\tQuivo"), std::string::npos);

    // Same account and password in a second file: a fresh salt gives a different hash.
    const std::string other = folder.file("other.mdw");
    ASSERT_TRUE(jet::writeWorkgroupFile(other, {{"Quivo", "Quivo"}, {"Admin", "s3cret pass"}}, error)) << error;
    EXPECT_NE(testsupport::readFile(other), contents);
}

TEST_F(JetWorkgroup, NeverOverwritesAFile)
{
    const std::string before = testsupport::readFile(path);
    EXPECT_FALSE(jet::writeWorkgroupFile(path, {{"Other", "x"}}, error));
    EXPECT_NE(error.find("already exists"), std::string::npos) << error;
    EXPECT_EQ(testsupport::readFile(path), before);
}

TEST_F(JetWorkgroup, RefusesBadAccountListsAndDamagedFiles)
{
    EXPECT_FALSE(jet::writeWorkgroupFile(folder.file("a.mdw"), {{"", "x"}}, error));
    EXPECT_FALSE(jet::writeWorkgroupFile(folder.file("b.mdw"), {{"Tab\tName", "x"}}, error));
    EXPECT_FALSE(jet::writeWorkgroupFile(folder.file("c.mdw"), {{"Quivo", "x"}, {"quivo", "y"}}, error));

    const std::string foreign = folder.file("foreign.mdw");
    testsupport::writeFile(foreign, "not a workgroup file\n");
    EXPECT_FALSE(jet::checkWorkgroupAccount(foreign, "Quivo", "Quivo", error));
    EXPECT_NE(error.find("is not a workgroup file"), std::string::npos) << error;

    // A hand-edited account line cannot let an account in.
    std::string contents = testsupport::readFile(path);
    const std::size_t tab = contents.find('\t', contents.find("Quivo"));
    contents.replace(tab + 1, 4, "x");
    const std::string damaged = folder.file("damaged.mdw");
    testsupport::writeFile(damaged, contents);
    EXPECT_FALSE(jet::checkWorkgroupAccount(damaged, "Quivo", "Quivo", error));
    EXPECT_NE(error.find("is damaged"), std::string::npos) << error;
}

TEST_F(JetWorkgroup, ANumberOutOfBoundsMarksTheFileDamagedAtOnce)
{
    // An iteration count raised to the largest number once held every connection for minutes.
    const std::string contents = testsupport::readFile(path);
    const std::size_t count = contents.find("\t4096\t");
    ASSERT_NE(count, std::string::npos);
    for (const char* iterations : {"65537", "0", "-1", "99999999999", "2147483647"}) {
        SCOPED_TRACE(iterations);
        std::string edited = contents;
        edited.replace(count + 1, 4, iterations);
        testsupport::writeFile(path, edited);
        EXPECT_FALSE(check("Quivo", "Quivo"));
        EXPECT_NE(error.find("is damaged"), std::string::npos) << error;
    }
    testsupport::writeFile(path, contents + std::string(100000, 'x'));
    EXPECT_FALSE(check("Quivo", "Quivo"));
    EXPECT_NE(error.find("is damaged"), std::string::npos) << error;
}
