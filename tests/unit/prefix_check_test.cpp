#include "ui/prefix_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <vector>

namespace dhsu {
namespace {

// A temporary folder in memory; names holding '?' cannot be created, as on Windows.
class FakeProbeFiles : public ProbeFiles {
  public:
    std::optional<std::string> TemporaryFolder() override { return folder; }
    ProbeResult CreateNew(const std::string& path) override {
        created.push_back(path);
        if (path.find('?') != std::string::npos) return ProbeResult::kFailed;
        if (files.count(path)) return ProbeResult::kExists;
        files[path] = "";
        return ProbeResult::kCreated;
    }
    void Delete(const std::string& path) override { files.erase(path); }

    std::optional<std::string> folder = "C:\\Temp\\";
    std::map<std::string, std::string> files;
    std::vector<std::string> created;
};

class PrefixCheckTest : public ::testing::Test {
  protected:
    FakeProbeFiles files;
};

TEST_F(PrefixCheckTest, PrefixIsProvedByAProbeThatIsGoneAfterwards) {
    EXPECT_EQ(CheckPrefix("DH", files), PrefixVerdict::kAccepted);
    EXPECT_EQ(files.created, std::vector<std::string>{"C:\\Temp\\DH_0000.tmp"});
    EXPECT_TRUE(files.files.empty());
}

TEST_F(PrefixCheckTest, BlanksAreLegalEvenAlone) {
    EXPECT_EQ(CheckPrefix("Two words", files), PrefixVerdict::kAccepted);
    EXPECT_EQ(CheckPrefix("   ", files), PrefixVerdict::kAccepted);
    EXPECT_EQ(files.created.back(), "C:\\Temp\\   _0000.tmp");
    EXPECT_TRUE(files.files.empty());
}

TEST_F(PrefixCheckTest, EmptyTextIsRefusedBeforeAnyFileIsTouched) {
    EXPECT_EQ(CheckPrefix("", files), PrefixVerdict::kEmpty);
    EXPECT_TRUE(files.created.empty());
}

TEST_F(PrefixCheckTest, NameNoFileCanHoldIsIllegal) {
    EXPECT_EQ(CheckPrefix("a?b", files), PrefixVerdict::kIllegal);
    EXPECT_TRUE(files.files.empty());
}

TEST_F(PrefixCheckTest, NoTemporaryFolderMeansIllegal) {
    files.folder.reset();
    EXPECT_EQ(CheckPrefix("DH", files), PrefixVerdict::kIllegal);
    EXPECT_TRUE(files.created.empty());
}

TEST_F(PrefixCheckTest, SomeoneElsesFileOfTheProbesNameIsKeptAndTheNextNameProbed) {
    files.files["C:\\Temp\\DH_0000.tmp"] = "theirs";
    files.files["C:\\Temp\\DH_0001.tmp"] = "theirs too";
    EXPECT_EQ(CheckPrefix("DH", files), PrefixVerdict::kAccepted);
    EXPECT_EQ(files.created.back(), "C:\\Temp\\DH_0002.tmp");
    const std::map<std::string, std::string> untouched = {{"C:\\Temp\\DH_0000.tmp", "theirs"},
                                                          {"C:\\Temp\\DH_0001.tmp", "theirs too"}};
    EXPECT_EQ(files.files, untouched);
}

TEST_F(PrefixCheckTest, EveryProbeNameTakenIsIllegalAndDeletesNothing) {
    for (int n = 0; n <= 9999; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "C:\\Temp\\DH_%04d.tmp", n);
        files.files[name] = "theirs";
    }
    EXPECT_EQ(CheckPrefix("DH", files), PrefixVerdict::kIllegal);
    EXPECT_EQ(files.files.size(), 10000u);
}

}  // namespace
}  // namespace dhsu
