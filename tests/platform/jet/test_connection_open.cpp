#include "JetTestDatabase.h"
#include "Workgroup.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class JetOpen : public JetDatabaseTest {
protected:
    std::unique_ptr<jet::Connection> refused()
    {
        error.clear();
        auto connection = jet::Connection::open(settings, error);
        EXPECT_FALSE(connection);
        EXPECT_FALSE(error.empty());
        return connection;
    }

    std::string pragma(jet::Connection& connection, const std::string& name)
    {
        jet::Rows rows;
        std::string failure;
        EXPECT_TRUE(connection.query("PRAGMA " + name, rows, failure)) << failure;
        if (rows.rows.empty())
            return {};
        const jet::Value& value = rows.rows[0][0];
        return std::holds_alternative<std::string>(value) ? std::get<std::string>(value)
                                                          : std::to_string(std::get<std::int64_t>(value));
    }

    // Many pages of notes, then pages in the middle of the file scribbled over, the header page
    // and the schema intact.
    void damagePagesInTheMiddle()
    {
        std::string rows;
        for (int i = 0; i < 400; ++i)
            rows += "INSERT INTO Notes (Body) VALUES ('note number " + std::to_string(i) + " " +
                    std::string(200, 'n') + "');";
        runDirectly("BEGIN;" + rows + "COMMIT;");
        openConnection().reset();
        std::string bytes = testsupport::readFile(databasePath);
        ASSERT_GT(bytes.size(), 40000u);
        for (std::size_t i = 12288; i < 28672; ++i)
            bytes[i] = char(i * 7);
        testsupport::writeFile(databasePath, bytes);
    }

    std::string error;
};

// Makes a file impossible to write, also for root (immutable flag); undone when it goes.
class WriteProtection {
public:
    explicit WriteProtection(const std::string& path) : path_(path)
    {
        fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        if (geteuid() != 0) {
            active_ = true;
            return;
        }
        active_ = setImmutable(true);
    }
    ~WriteProtection()
    {
        if (geteuid() == 0)
            setImmutable(false);
        fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
    }
    bool active() const { return active_; }

private:
    bool setImmutable(bool on)
    {
        const int descriptor = ::open(path_.c_str(), O_RDONLY);
        if (descriptor < 0)
            return false;
        int flags = 0;
        bool done = ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(descriptor);
        return done;
    }

    std::string path_;
    bool active_ = false;
};

}  // namespace

TEST_F(JetOpen, SetsUpLoggingDurabilityKeysAndBusyTimeout)
{
    auto connection = openConnection();
    ASSERT_TRUE(connection);
    EXPECT_EQ(pragma(*connection, "journal_mode"), "wal");
    EXPECT_EQ(pragma(*connection, "synchronous"), "2");
    EXPECT_EQ(pragma(*connection, "foreign_keys"), "1");
    EXPECT_EQ(pragma(*connection, "busy_timeout"), "5000");
    EXPECT_EQ(connection->databasePath(), databasePath);
}

TEST_F(JetOpen, WorkgroupIsCheckedBeforeTheDatabase)
{
    settings.password = "wrong";
    refused();
    EXPECT_NE(error.find("Wrong password"), std::string::npos) << error;

    settings.password = "Quivo";
    settings.userId = "Intruder";
    refused();
    EXPECT_NE(error.find("Unknown account"), std::string::npos) << error;

    settings.userId = "Quivo";
    fs::remove(settings.workgroupPath);
    refused();
    EXPECT_NE(error.find("workgroup file"), std::string::npos) << error;
    EXPECT_NE(error.find("was not found"), std::string::npos) << error;
}

TEST_F(JetOpen, MissingDatabaseIsNeverCreated)
{
    settings.databasePath = folder.file("absent.mdb");
    settings.workgroupPath = jet::workgroupPathFor(settings.databasePath);
    writeTestWorkgroup(settings);
    refused();
    EXPECT_NE(error.find("not found"), std::string::npos) << error;
    EXPECT_NE(error.find("absent.mdb"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(settings.databasePath));
}

TEST_F(JetOpen, FileThatIsNoDatabaseIsRefusedUnchanged)
{
    const std::string text = "Name,Date\nSmith,12/09/2026\n" + std::string(5000, 'x');
    testsupport::writeFile(databasePath, text);
    refused();
    EXPECT_NE(error.find("not a database"), std::string::npos) << error;
    EXPECT_EQ(testsupport::readFile(databasePath), text);

    fs::remove(databasePath);
    fs::create_directory(databasePath);
    refused();
    EXPECT_NE(error.find("not a database"), std::string::npos) << error;
}

TEST_F(JetOpen, EmptyFileIsRefusedAndNotTurnedIntoADatabase)
{
    testsupport::writeFile(databasePath, "");
    refused();
    EXPECT_NE(error.find("not a database"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_empty(databasePath));
}

TEST_F(JetOpen, ADamagedPageIsFoundWhenAskedAndFromThenOnAtEveryOpen)
{
    damagePagesInTheMiddle();
    // The last session ended cleanly: opening reads the header, the file's length and the
    // schema, not every page.
    EXPECT_TRUE(openConnection());

    settings.checkWholeFile = true;
    refused();
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
    settings.checkWholeFile = false;
    refused();
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
}

TEST_F(JetOpen, AfterAProgramWasKilledTheNextOpenAloneReadsEveryPage)
{
    damagePagesInTheMiddle();
    OtherProgram hotSync(settings, [](jet::Connection&) { return 0; });
    // While another program holds the file, its write-ahead log tells nothing of how the last
    // session ended.
    EXPECT_TRUE(openConnection());
    hotSync.kill();
    refused();
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
}

TEST_F(JetOpen, DamagedHeaderOrSchemaOrAShortFileIsRefusedAtOnce)
{
    openConnection().reset();
    const std::string sound = testsupport::readFile(databasePath);
    std::string scribbled = sound;
    for (std::size_t i = 100; i < 4096; ++i)
        scribbled[i] = char(i * 7);
    for (const std::string& damaged : {scribbled, sound.substr(0, sound.size() / 2)}) {
        // A damaged copy put in place of a file whose last session ended cleanly.
        fs::remove(databasePath + "-wal");
        testsupport::writeFile(databasePath, damaged);
        refused();
        EXPECT_NE(error.find("damaged"), std::string::npos) << error;
    }
}

TEST_F(JetOpen, ReadOnlyDatabaseIsRefusedAndKept)
{
    runDirectly("INSERT INTO Notes (Body) VALUES ('kept')");
    const std::string before = testsupport::readFile(databasePath);
    {
        WriteProtection protection(databasePath);
        if (!protection.active())
            GTEST_SKIP() << "this file system cannot write-protect a file against root";
        refused();
        EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    }
    EXPECT_EQ(testsupport::readFile(databasePath), before);
    EXPECT_EQ(countDirectly("SELECT COUNT(*) FROM Notes"), 1);
}

TEST_F(JetOpen, TwoConnectionsShareTheFile)
{
    auto desktop = openConnection();
    auto hotsync = openConnection();
    ASSERT_TRUE(desktop && hotsync);
    std::string failure;
    ASSERT_TRUE(desktop->beginTrans(failure)) << failure;
    long affected = 0;
    ASSERT_TRUE(desktop->execute("INSERT INTO Notes (Body) VALUES ('pending')", affected, failure)) << failure;
    // A reader is not blocked by the writer and sees only committed rows.
    jet::Rows rows;
    ASSERT_TRUE(hotsync->query("SELECT COUNT(*) FROM Notes", rows, failure)) << failure;
    EXPECT_EQ(std::get<std::int64_t>(rows.rows[0][0]), 0);
    ASSERT_TRUE(desktop->commitTrans(failure)) << failure;
    ASSERT_TRUE(hotsync->query("SELECT COUNT(*) FROM Notes", rows, failure)) << failure;
    EXPECT_EQ(std::get<std::int64_t>(rows.rows[0][0]), 1);
}
