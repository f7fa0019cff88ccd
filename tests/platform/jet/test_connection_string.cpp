#include "JetConnection.h"
#include "Workgroup.h"

#include <gtest/gtest.h>

TEST(JetConnectionString, DesktopStringGivesPathsAndAccount)
{
    jet::ConnectionSettings settings;
    std::string error;
    ASSERT_TRUE(jet::parseConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/srv/office/practice.mdb;"
                                           "Jet OLEDB:System database=/srv/office/practice.mdw;User Id=Quivo;Password=Quivo",
                                           settings, error))
        << error;
    EXPECT_EQ(settings.databasePath, "/srv/office/practice.mdb");
    EXPECT_EQ(settings.workgroupPath, "/srv/office/practice.mdw");
    EXPECT_EQ(settings.userId, "Quivo");
    EXPECT_EQ(settings.password, "Quivo");
}

TEST(JetConnectionString, KeysMatchWithoutCaseAndInAnyOrder)
{
    jet::ConnectionSettings settings;
    std::string error;
    ASSERT_TRUE(jet::parseConnectionString(" password=Se cret ; USER ID=Admin;jet oledb:system DATABASE=w.mdw;"
                                           "data source=d b.mdb;PROVIDER=microsoft.jet.oledb.4.0;Mode=Share Deny None;",
                                           settings, error))
        << error;
    EXPECT_EQ(settings.databasePath, "d b.mdb");
    EXPECT_EQ(settings.workgroupPath, "w.mdw");
    EXPECT_EQ(settings.userId, "Admin");
    EXPECT_EQ(settings.password, "Se cret");
}

TEST(JetConnectionString, RefusesOtherProvidersAndIncompleteStrings)
{
    struct Case {
        const char* text;
        const char* errorPart;
    };
    for (const Case& refused : {
             Case{"Provider=Microsoft.ACE.OLEDB.12.0;Data Source=a.mdb", "Microsoft.ACE.OLEDB.12.0"},
             Case{"Data Source=a.mdb;User Id=Quivo", "provider"},
             Case{"Provider=Microsoft.Jet.OLEDB.4.0;User Id=Quivo", "data source"},
             Case{"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=", "data source"},
             Case{"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb;garbage", "garbage"},
             Case{"", "provider"},
         }) {
        jet::ConnectionSettings settings;
        settings.databasePath = "untouched";
        std::string error;
        EXPECT_FALSE(jet::parseConnectionString(refused.text, settings, error)) << refused.text;
        EXPECT_NE(error.find(refused.errorPart), std::string::npos) << refused.text << " -> " << error;
        EXPECT_EQ(settings.databasePath, "untouched");
    }
}

TEST(JetWorkgroupPath, LastCharacterBecomesW)
{
    EXPECT_EQ(jet::workgroupPathFor("C:\\a.mdb"), "C:\\a.mdw");
    EXPECT_EQ(jet::workgroupPathFor("/srv/office/practice.mdb"), "/srv/office/practice.mdw");
    EXPECT_EQ(jet::workgroupPathFor("x"), "w");
    EXPECT_EQ(jet::workgroupPathFor("/srv/data"), "/srv/datw");
    EXPECT_EQ(jet::workgroupPathFor(""), "");
    EXPECT_EQ(jet::workgroupPathFor("/srv/pr\xC3\xA1"), "/srv/prw");
}
