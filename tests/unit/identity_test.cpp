// Texts made from the program's identity: version texts, the instance mutex
// name and the language folder.
#include <gtest/gtest.h>

#include "app/version.h"
#include "app/version_text.h"
#include "language/language_folder.h"

namespace veloria {
namespace {

TEST(VersionText, DisplayFormAndDigits)
{
    EXPECT_EQ(VersionText({2, 0, 0}), "2.0.0");
    EXPECT_EQ(VersionDigits({2, 0, 0}), "200");
    EXPECT_EQ(VersionText({10, 2, 31}), "10.2.31");
    EXPECT_EQ(VersionDigits({10, 2, 31}), "10231");
}

TEST(VersionText, MutexNameJoinsProductAndVersionWithoutSeparator)
{
    EXPECT_EQ(InstanceMutexName("Veloria", {2, 0, 1}), "Veloria2.0.1");
    // The release: the name a running copy of this version holds.
    EXPECT_EQ(InstanceMutexName(VELORIA_PRODUCT_NAME, CurrentVersion()), "Veloria2.0.0");
    EXPECT_STREQ(VELORIA_APP_TITLE, "Veloria 2");
    EXPECT_STREQ(VELORIA_VERSION_QUAD, "2.0.0.0");
}

TEST(LanguageFolder, AppendsTheFolderNameUnchanged)
{
    EXPECT_EQ(LanguageFolderOf("C:\\Program Files\\Veloria"), "C:\\Program Files\\Veloria/language/");
    EXPECT_EQ(LanguageFolderOf(""), "/language/");
}

}  // namespace
}  // namespace veloria
