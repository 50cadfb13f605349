#include "settings/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace dhsu {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kProgramDir = "C:\\Games\\DHSU\\";

// The registry key in memory; it holds whatever a test puts in it, right or wrong.
class FakeKeyStore : public KeyStore {
  public:
    StoredValue QueryValue(const std::string& name) const override {
        if (unopened) return {ValueState::Unreadable, 0, {}};
        const auto found = values.find(name);
        return found == values.end() ? StoredValue{} : found->second;
    }
    bool SetValue(const std::string& name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
        if (unopened || failingWrites.contains(name)) return false;
        values[name] = {ValueState::Present, type, Bytes(data.begin(), data.end())};
        writes.push_back(name);
        return true;
    }

    void Put(const std::string& name, std::uint32_t type, Bytes data) {
        values[name] = {ValueState::Present, type, std::move(data)};
    }
    void PutDword(const std::string& name, std::uint32_t v) {
        Put(name, kRegDword,
            {Bytes{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                   std::uint8_t(v >> 24)}});
    }
    void PutText(const std::string& name, std::u16string_view text, bool terminated = true,
                 std::uint32_t type = kRegSz) {
        Bytes data;
        for (const char16_t unit : text) {
            data.push_back(std::uint8_t(unit));
            data.push_back(std::uint8_t(unit >> 8));
        }
        if (terminated) data.insert(data.end(), {0, 0});
        Put(name, type, std::move(data));
    }
    const Bytes& DataOf(const std::string& name) const { return values.at(name).data; }

    std::map<std::string, StoredValue> values;
    std::set<std::string> failingWrites;
    std::vector<std::string> writes;
    bool unopened = false;
};

Settings Load(FakeKeyStore& key) {
    return LoadSettings(key, kProgramDir);
}

void ExpectDefaults(const Settings& s) {
    EXPECT_EQ(s.filePrefix, "DH");
    EXPECT_EQ(s.suffixMode, SuffixMode::kNumbered);
    EXPECT_EQ(s.folder, kProgramDir);
    EXPECT_EQ(s.shutterKey, 27);
    EXPECT_TRUE(s.clientAreaMode);
    EXPECT_TRUE(s.jpegEnabled);
    EXPECT_EQ(s.jpegQuality, 75);
}

TEST(SettingsLoad, NoKeyOrUnopenableKeyGivesEveryDefault) {
    FakeKeyStore empty;
    ExpectDefaults(Load(empty));
    FakeKeyStore unopened;
    unopened.unopened = true;
    ExpectDefaults(Load(unopened));
}

TEST(SettingsLoad, StoredValuesAreReadIntoTheirPlaces) {
    FakeKeyStore key;
    key.PutText("FilePrefix", u"Shot");
    key.PutDword("FileSuffix", 0);
    key.PutText("ScreenShot Folder", u"D:\\Pics");
    key.PutDword("Shutter", 0x7B);
    key.PutDword("ClientRect", 0);
    key.PutDword("JpegCompression", 0);
    key.PutDword("JPEG Quality", 50);
    const Settings s = Load(key);
    EXPECT_EQ(s.filePrefix, "Shot");
    EXPECT_EQ(s.suffixMode, SuffixMode::kTimestamp);
    EXPECT_EQ(s.folder, "D:\\Pics");
    EXPECT_EQ(s.shutterKey, 0x7B);
    EXPECT_FALSE(s.clientAreaMode);
    EXPECT_FALSE(s.jpegEnabled);
    EXPECT_EQ(s.jpegQuality, 50);
}

TEST(SettingsLoad, PrefixAndSuffixModeFallBackTogether) {
    FakeKeyStore prefixOnly;
    prefixOnly.PutText("FilePrefix", u"Shot");
    FakeKeyStore suffixAsText;
    suffixAsText.PutText("FilePrefix", u"Shot");
    suffixAsText.PutText("FileSuffix", u"0");
    FakeKeyStore suffixOnly;
    suffixOnly.PutDword("FileSuffix", 0);
    FakeKeyStore emptyPrefix;
    emptyPrefix.PutText("FilePrefix", u"");
    emptyPrefix.PutDword("FileSuffix", 0);
    FakeKeyStore prefixStartingWithZero;
    prefixStartingWithZero.PutText("FilePrefix", std::u16string(u"\0Shot", 5));
    prefixStartingWithZero.PutDword("FileSuffix", 0);
    for (FakeKeyStore* key :
         {&prefixOnly, &suffixAsText, &suffixOnly, &emptyPrefix, &prefixStartingWithZero}) {
        key->PutDword("Shutter", 0x41);
        const Settings s = Load(*key);
        EXPECT_EQ(s.filePrefix, "DH");
        EXPECT_EQ(s.suffixMode, SuffixMode::kNumbered);
        EXPECT_EQ(s.shutterKey, 0x41) << "a later value is read on its own";
    }
}

TEST(SettingsLoad, EachLaterValueFallsBackAlone) {
    FakeKeyStore key;
    key.PutText("FilePrefix", u"Shot");
    key.PutDword("FileSuffix", 0);
    key.PutDword("ScreenShot Folder", 7);
    key.PutText("Shutter", u"65");
    key.values["ClientRect"] = {ValueState::Unreadable, 0, {}};
    key.PutDword("JpegCompression", 0);
    key.Put("JPEG Quality", 11 /* REG_QWORD */, Bytes(8, 0));
    const Settings s = Load(key);
    EXPECT_EQ(s.filePrefix, "Shot");
    EXPECT_EQ(s.suffixMode, SuffixMode::kTimestamp);
    EXPECT_EQ(s.folder, kProgramDir);
    EXPECT_EQ(s.shutterKey, 27);
    EXPECT_TRUE(s.clientAreaMode);
    EXPECT_FALSE(s.jpegEnabled);
    EXPECT_EQ(s.jpegQuality, 75);
}

TEST(SettingsLoad, EmptyFolderTakesTheProgramDirectory) {
    FakeKeyStore key;
    key.PutText("ScreenShot Folder", u"", false);
    EXPECT_EQ(Load(key).folder, kProgramDir);
}

TEST(SettingsLoad, IntegersMustBeFourByteDwords) {
    FakeKeyStore tooLong;
    tooLong.Put("Shutter", kRegDword, {0x41, 0, 0, 0, 0, 0, 0, 0});
    FakeKeyStore tooShort;
    tooShort.Put("Shutter", kRegDword, {0x41, 0});
    FakeKeyStore bigEndian;
    bigEndian.Put("Shutter", 5 /* REG_DWORD_BIG_ENDIAN */, {0, 0, 0, 0x41});
    for (FakeKeyStore* key : {&tooLong, &tooShort, &bigEndian}) {
        EXPECT_EQ(Load(*key).shutterKey, 27);
    }
}

TEST(SettingsLoad, CheckBoxesAreCheckedByAnyNonZeroValue) {
    FakeKeyStore key;
    key.PutDword("ClientRect", 5);
    key.PutDword("JpegCompression", 0x80000000);
    const Settings s = Load(key);
    EXPECT_TRUE(s.clientAreaMode);
    EXPECT_TRUE(s.jpegEnabled);
}

TEST(SettingsLoad, QualityIsTheLowSixteenBitsUnclamped) {
    FakeKeyStore key;
    key.PutDword("JPEG Quality", 0x12345);
    EXPECT_EQ(Load(key).jpegQuality, 0x2345);
    key.PutDword("JPEG Quality", 0x0001FFFF);
    EXPECT_EQ(Load(key).jpegQuality, -1);
    key.PutDword("JPEG Quality", 3);
    EXPECT_EQ(Load(key).jpegQuality, 3);
}

TEST(SettingsLoad, TextValuesAreCutAtTheFirstZeroCharacter) {
    FakeKeyStore key;
    key.PutText("FilePrefix", std::u16string(u"Shot\0junk", 9));
    key.PutDword("FileSuffix", 1);
    key.PutText("ScreenShot Folder", u"%USERPROFILE%\\Shots\\", true, kRegExpandSz);
    EXPECT_EQ(Load(key).filePrefix, "Shot");
    EXPECT_EQ(Load(key).folder, "%USERPROFILE%\\Shots\\") << "expandable text taken unexpanded";

    key.PutText("FilePrefix", u"Shot", false);
    EXPECT_EQ(Load(key).filePrefix, "Shot") << "no terminator reads the same";
    key.values["FilePrefix"].data.push_back('X');
    EXPECT_EQ(Load(key).filePrefix, "Shot") << "a stray odd byte is not a character";
}

TEST(SettingsSave, WritesAllSevenValuesInOrder) {
    FakeKeyStore key;
    Settings s;
    s.folder = "C:\\Shots";
    s.clientAreaMode = false;
    s.shutterKey = 0x7B;
    s.suffixMode = SuffixMode::kTimestamp;
    SaveSettings(key, s);
    EXPECT_EQ(key.writes,
              (std::vector<std::string>{"ScreenShot Folder", "JPEG Quality", "ClientRect",
                                        "JpegCompression", "Shutter", "FilePrefix", "FileSuffix"}));
    EXPECT_EQ(key.values["ScreenShot Folder"].type, kRegSz);
    EXPECT_EQ(key.DataOf("ScreenShot Folder"),
              (Bytes{'C', 0, ':', 0, '\\', 0, 'S', 0, 'h', 0, 'o', 0, 't', 0, 's', 0, 0, 0}));
    EXPECT_EQ(key.values["FilePrefix"].type, kRegSz);
    EXPECT_EQ(key.DataOf("FilePrefix"), (Bytes{'D', 0, 'H', 0, 0, 0}));
    EXPECT_EQ(key.values["Shutter"].type, kRegDword);
    EXPECT_EQ(key.DataOf("Shutter"), (Bytes{0x7B, 0, 0, 0}));
    EXPECT_EQ(key.DataOf("JPEG Quality"), (Bytes{75, 0, 0, 0}));
    EXPECT_EQ(key.DataOf("ClientRect"), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(key.DataOf("JpegCompression"), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(key.DataOf("FileSuffix"), (Bytes{0, 0, 0, 0}));
}

TEST(SettingsSave, UntouchedValuesWriteBackNormalised) {
    FakeKeyStore key;
    key.PutText("FilePrefix", u"Shot");
    key.PutDword("ClientRect", 5);
    key.PutDword("JPEG Quality", 50);
    SaveSettings(key, Load(key));
    EXPECT_EQ(key.DataOf("ClientRect"), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(key.DataOf("JPEG Quality"), (Bytes{50, 0, 0, 0}));
    EXPECT_EQ(key.DataOf("FilePrefix"), (Bytes{'D', 0, 'H', 0, 0, 0}))
        << "a prefix without its suffix mode is replaced";
}

TEST(SettingsSave, NegativeQualityIsWidenedWithItsSign) {
    FakeKeyStore key;
    Settings s;
    s.jpegQuality = -3;
    SaveSettings(key, s);
    EXPECT_EQ(key.DataOf("JPEG Quality"), (Bytes{0xFD, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Load(key).jpegQuality, -3);
}

TEST(SettingsSave, FailedWriteStopsTheSaveAndNamesTheValue) {
    FakeKeyStore key;
    key.PutDword("Shutter", 0x41);
    key.PutText("FilePrefix", u"Old");
    key.PutDword("FileSuffix", 0);
    key.failingWrites.insert("Shutter");
    Settings s;
    s.shutterKey = 0x7B;
    try {
        SaveSettings(key, s);
        FAIL() << "the failed write was not reported";
    } catch (const SettingsWriteError& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'Shutter'");
        EXPECT_EQ(error.ValueName(), "Shutter");
    }
    EXPECT_EQ(key.writes, (std::vector<std::string>{"ScreenShot Folder", "JPEG Quality",
                                                    "ClientRect", "JpegCompression"}));
    EXPECT_EQ(key.DataOf("Shutter"), (Bytes{0x41, 0, 0, 0}));
    EXPECT_EQ(Load(key).filePrefix, "Old");
    EXPECT_EQ(Load(key).suffixMode, SuffixMode::kTimestamp);
}

TEST(SettingsSave, UnopenableKeyFailsAtTheFirstValue) {
    FakeKeyStore key;
    key.unopened = true;
    EXPECT_THROW(
        {
            try {
                SaveSettings(key, Settings{});
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "Failed to set data for 'ScreenShot Folder'");
                throw;
            }
        },
        SettingsWriteError);
}

TEST(SettingsRoundTrip, CzechAndJapaneseTextSurvive) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Snímek_žluťoučký", "C:\\Obrázky\\Hry\\"},
        {"スクショ𠮷", "D:\\ゲーム\\画像\\"},
    };
    for (const auto& [prefix, folder] : cases) {
        FakeKeyStore key;
        Settings saved;
        saved.filePrefix = prefix;
        saved.folder = folder;
        saved.suffixMode = SuffixMode::kTimestamp;
        saved.shutterKey = 0x2C;
        saved.jpegEnabled = false;
        saved.jpegQuality = 100;
        SaveSettings(key, saved);
        const Settings loaded = Load(key);
        EXPECT_EQ(loaded.filePrefix, prefix);
        EXPECT_EQ(loaded.folder, folder);
        EXPECT_EQ(loaded.suffixMode, SuffixMode::kTimestamp);
        EXPECT_EQ(loaded.shutterKey, 0x2C);
        EXPECT_TRUE(loaded.clientAreaMode);
        EXPECT_FALSE(loaded.jpegEnabled);
        EXPECT_EQ(loaded.jpegQuality, 100);
    }
}

TEST(SettingsRoundTrip, TextIsStoredAsUtf16) {
    FakeKeyStore key;
    Settings s;
    s.filePrefix = "Ří𠮷";
    SaveSettings(key, s);
    EXPECT_EQ(key.DataOf("FilePrefix"),
              (Bytes{0x58, 0x01, 0xED, 0x00, 0x42, 0xD8, 0xB7, 0xDF, 0, 0}));
}

}  // namespace
}  // namespace dhsu
