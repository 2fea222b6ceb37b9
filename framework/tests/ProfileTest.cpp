// The registry profile against the real registry of the test prefix.
#include <gtest/gtest.h>

#include "framework/CRegistryProfile.h"

namespace {

constexpr wchar_t kCompany[] = L"VelFrameworkTest";

class ProfileTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VelFrameworkTest");
        profile.SetKey(kCompany, L"Profile");
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VelFrameworkTest"); }
    CRegistryProfile profile;
};

TEST_F(ProfileTest, MissingValuesReadAsDefaultsAndWritesAreStoredAtOnce)
{
    EXPECT_EQ(profile.GetInt(L"Section", L"Count", -1), -1);
    EXPECT_EQ(profile.GetString(L"Section", L"Name", L"既定"), L"既定");

    ASSERT_TRUE(profile.WriteInt(L"Section", L"Count", -7));
    ASSERT_TRUE(profile.WriteString(L"Section", L"Name", L"ＭＳ ゴシック"));
    CRegistryProfile other;
    other.SetKey(kCompany, L"Profile");
    EXPECT_EQ(other.GetInt(L"Section", L"Count", 0), -7);
    EXPECT_EQ(other.GetString(L"Section", L"Name", L""), L"ＭＳ ゴシック");

    // Stored where the key says: Software\<company>\<application>\<section>, as DWORD and REG_SZ.
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\VelFrameworkTest\\Profile\\Section", L"Count",
                           RRF_RT_ANY, &type, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(static_cast<int>(value), -7);
}

TEST_F(ProfileTest, ValuesOfTheWrongTypeReadAsDefaults)
{
    ASSERT_TRUE(profile.WriteString(L"Section", L"Count", L"12"));
    ASSERT_TRUE(profile.WriteInt(L"Section", L"Name", 3));
    EXPECT_EQ(profile.GetInt(L"Section", L"Count", 5), 5);
    EXPECT_EQ(profile.GetString(L"Section", L"Name", L"x"), L"x");
}

TEST(ProfileWithoutKeyTest, NothingIsReadOrWrittenBeforeTheKeyIsSet)
{
    CRegistryProfile profile;
    EXPECT_FALSE(profile.WriteInt(L"S", L"K", 1));
    EXPECT_EQ(profile.GetInt(L"S", L"K", 9), 9);
}

}  // namespace
