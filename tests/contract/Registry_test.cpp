// Registry values as the settings store reads and writes them. Under Wine
// the tests work below HKCU\Software\QuorrelTests and remove what they made.
#include "Contract.h"

namespace {

const char Root[] = "Software\\QuorrelTests";
const char Path[] = "Software\\QuorrelTests\\Contract";

class RegistryContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clean();
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, &disposition),
                  ERROR_SUCCESS);
        EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    }
    void TearDown() override
    {
        RegCloseKey(key);
        Clean();
    }
    static void Clean()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, Path);
        RegDeleteKeyA(HKEY_CURRENT_USER, Root);
    }
    void Set(const char *name, DWORD type, const void *data, DWORD size)
    {
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size),
                  ERROR_SUCCESS)
            << name;
    }

    HKEY key = nullptr;
};

TEST_F(RegistryContract, ADwordGoesRoundTripThroughANewHandleWithAnyCase)
{
    const DWORD value = 0x12345678;
    Set("LastChar", REG_DWORD, &value, 4);
    RegCloseKey(key);

    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "software\\quorreltests\\CONTRACT", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Path, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    DWORD type = 99, size = 4, got = 0;
    ASSERT_EQ(RegQueryValueExA(key, "LASTCHAR", nullptr, &type, reinterpret_cast<BYTE *>(&got),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(got, value);
}

TEST_F(RegistryContract, AStringWhereADwordIsExpectedReportsItsType)
{
    Set("Short", REG_SZ, "abc", 4);
    Set("Long", REG_SZ, "hello", 6);

    DWORD type = 99, size = 4, got = 0xAAAAAAAA;
    ASSERT_EQ(RegQueryValueExA(key, "Short", nullptr, &type, reinterpret_cast<BYTE *>(&got), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << "it fits, but it is no REG_DWORD";
    EXPECT_EQ(size, 4u);

    type = 99;
    size = 4;
    got = 0xAAAAAAAA;
    EXPECT_EQ(RegQueryValueExA(key, "Long", nullptr, &type, reinterpret_cast<BYTE *>(&got), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(got, 0xAAAAAAAAu) << "the buffer is left alone";
}

TEST_F(RegistryContract, AValueLongerThanTheBufferGivesMoreDataAndTheSize)
{
    Set("CurrentPalette", REG_BINARY, "\x01\x02\x03\x04\x05\x06", 6);

    BYTE buf[8];
    memset(buf, 0xEE, sizeof buf);
    DWORD type = 99, size = 4;
    EXPECT_EQ(RegQueryValueExA(key, "CurrentPalette", nullptr, &type, buf, &size), ERROR_MORE_DATA);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(buf[0], 0xEE);

    type = 99;
    size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "CurrentPalette", nullptr, &type, nullptr, &size),
              ERROR_SUCCESS)
        << "no buffer asks for the size";
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));

    size = sizeof buf;
    ASSERT_EQ(RegQueryValueExA(key, "CurrentPalette", nullptr, &type, buf, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(buf[5], 0x06);
    EXPECT_EQ(buf[6], 0xEE);

    EXPECT_EQ(RegQueryValueExA(key, "CurrentPalette", nullptr, &type, buf, nullptr),
              ERROR_INVALID_PARAMETER)
        << "a buffer without a size";
}

TEST_F(RegistryContract, AnEmptyValueReadsAsNoBytesAndLeavesTheBufferAlone)
{
    Set("Empty", REG_BINARY, "", 0);
    BYTE buf[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    DWORD type = 99, size = sizeof buf;
    ASSERT_EQ(RegQueryValueExA(key, "Empty", nullptr, &type, buf, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(buf[0], 0xEE);

    char name[8];
    DWORD nameSize = sizeof name, dataSize = sizeof buf;
    ASSERT_EQ(RegEnumValueA(key, 0, name, &nameSize, nullptr, &type, buf, &dataSize),
              ERROR_SUCCESS);
    EXPECT_STREQ(name, "Empty");
    EXPECT_EQ(dataSize, 0u);
}

TEST_F(RegistryContract, AStringSetWithoutItsZeroIsStoredWithIt)
{
    Set("NoZero", REG_SZ, "abc", 3);  // the literal's zero follows the three bytes
    char buf[8];
    memset(buf, 'Z', sizeof buf);
    DWORD type = 0, size = sizeof buf;
    ASSERT_EQ(RegQueryValueExA(key, "NoZero", nullptr, &type, reinterpret_cast<BYTE *>(buf), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 4u);
    EXPECT_STREQ(buf, "abc");
}

TEST_F(RegistryContract, MissingKeysAndValuesAndRightsAreReported)
{
    HKEY other = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\QuorrelTests\\Nope", 0, KEY_QUERY_VALUE,
                            &other),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(other, nullptr);

    DWORD type = 99, size = 4, got = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, &type, reinterpret_cast<BYTE *>(&got),
                               &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(size, 4u);

    const DWORD one = 1;
    Set("Value", REG_DWORD, &one, 4);
    HKEY readOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Path, 0, KEY_QUERY_VALUE, &readOnly), ERROR_SUCCESS);
    EXPECT_EQ(
        RegSetValueExA(readOnly, "Value", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&one), 4),
        ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(readOnly, "Value"), ERROR_ACCESS_DENIED);
    RegCloseKey(readOnly);

    HKEY writeOnly = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Path, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &writeOnly, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(writeOnly, "Value", nullptr, &type, reinterpret_cast<BYTE *>(&got),
                               &size),
              ERROR_ACCESS_DENIED);
    RegCloseKey(writeOnly);
    EXPECT_EQ(RegQueryValueExA(writeOnly, "Value", nullptr, &type, reinterpret_cast<BYTE *>(&got),
                               &size),
              ERROR_INVALID_HANDLE)
        << "a closed handle";

    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Root), ERROR_ACCESS_DENIED) << "it has a subkey";
}

TEST_F(RegistryContract, ValuesEnumerateSortedByNameAndDeleteOneByOne)
{
    const DWORD v = 7;
    Set("Zeta", REG_DWORD, &v, 4);
    Set("alpha", REG_SZ, "x", 2);
    Set("Beta", REG_BINARY, "\x01\x02\x03", 3);

    const char *want[] = {"alpha", "Beta", "Zeta"};
    const DWORD types[] = {REG_SZ, REG_BINARY, REG_DWORD};
    DWORD i = 0;
    for (;; i++) {
        char name[32];
        BYTE data[16];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        LONG rc = RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(rc, ERROR_SUCCESS) << "index " << i;
        ASSERT_LT(i, 3u);
        EXPECT_STREQ(name, want[i]);
        EXPECT_EQ(nameSize, strlen(want[i]));
        EXPECT_EQ(type, types[i]) << want[i];
    }
    EXPECT_EQ(i, 3u);

    char small[3];
    DWORD smallSize = sizeof small, dataSize = 16, type = 0;
    BYTE data[16];
    EXPECT_EQ(RegEnumValueA(key, 0, small, &smallSize, nullptr, &type, data, &dataSize),
              ERROR_MORE_DATA)
        << "a name longer than its buffer";

    EXPECT_EQ(RegDeleteValueA(key, "BETA"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "Beta"), ERROR_FILE_NOT_FOUND);
    char name[32];
    DWORD nameSize = sizeof name;
    ASSERT_EQ(RegEnumValueA(key, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_STREQ(name, "Zeta");
}

TEST_F(RegistryContract, AnEmptyBinaryValueReadsAsZeroBytes)
{
    Set("Empty", REG_BINARY, nullptr, 0);
    BYTE got[4] = {7, 7, 7, 7};
    DWORD type = 99, size = sizeof(got);
    ASSERT_EQ(RegQueryValueExA(key, "Empty", nullptr, &type, got, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(got[0], 7) << "nothing is written";
}

}  // namespace
