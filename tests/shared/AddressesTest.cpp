#include "shared/core/Addresses.h"

#include <gtest/gtest.h>

TEST(Addresses, ASectionIsTheInstalledHelpPageAndAnythingElseIsTakenAsItIs) {
  EXPECT_EQ(ResolveAddress("#plugins", "C:\\Program Files\\Corvella\\"),
            "C:\\Program Files\\Corvella\\Help\\Help.htm#plugins");
  EXPECT_EQ(ResolveAddress("http://www.example.com/", "C:\\x\\"), "http://www.example.com/");
  EXPECT_EQ(ResolveAddress("", "C:\\x\\"), "");
  // A default build opens sections of its own help, never a dead address.
  for (const char* address : {kWebSiteAddress, kUpdatesAddress, kPluginsAddress})
    EXPECT_EQ(std::string(address).find(".example"), std::string::npos) << address;
}

TEST(Addresses, OnlyALocalPathHasASectionAfterItsLastHash) {
  PageSection page = SplitSection("C:\\Corvella\\Help\\Help.htm#plugins");
  EXPECT_EQ(page.file, "C:\\Corvella\\Help\\Help.htm");
  EXPECT_EQ(page.section, "plugins");
  page = SplitSection("\\\\server\\share\\Help.htm#install");
  EXPECT_EQ(page.file, "\\\\server\\share\\Help.htm");
  EXPECT_EQ(page.section, "install");
  for (const char* whole : {"http://www.example.com/page.htm#part", "C:\\C#\\Help.htm",
                            "C:\\Help.htm", "Help.htm#part"}) {
    page = SplitSection(whole);
    EXPECT_EQ(page.file, whole);
    EXPECT_EQ(page.section, "");
  }
}

TEST(Addresses, FileAddressesEscapeWhatAnAddressCannotHold) {
  EXPECT_EQ(FileUrl("C:\\Program Files\\Corvella\\Help\\Help.htm"),
            "file:///C:/Program%20Files/Corvella/Help/Help.htm");
  EXPECT_EQ(FileUrl("C:\\100% #1\\a.htm"), "file:///C:/100%25%20%231/a.htm");
  EXPECT_EQ(FileUrl("\\\\server\\share\\a.htm"), "file://server/share/a.htm");
}

TEST(Addresses, TheArgumentTakesThePlaceTheOpenCommandNamesOrComesLast) {
  EXPECT_EQ(CommandWith("\"C:\\viewer.exe\" \"%1\"", "file:///a"), "\"C:\\viewer.exe\" \"file:///a\"");
  EXPECT_EQ(CommandWith("viewer.exe %L -new", "file:///a"), "viewer.exe file:///a -new");
  EXPECT_EQ(CommandWith("viewer.exe %l", "x%1"), "viewer.exe x%1") << "one place only";
  EXPECT_EQ(CommandWith("\"C:\\Program Files\\viewer.exe\" -nohome", "file:///a"),
            "\"C:\\Program Files\\viewer.exe\" -nohome file:///a");
}
