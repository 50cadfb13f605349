#include "shot/shot_naming.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace dhsu {
namespace {

class FakeSystem : public NamingSystem {
  public:
    LocalTime Now() override {
        LocalTime t = readings.at(next);
        if (next + 1 < readings.size()) ++next;
        return t;
    }
    bool IsTaken(const std::string& path) const override {
        probes.push_back(path);
        return files.count(path) > 0;
    }
    std::set<std::string> files;
    mutable std::vector<std::string> probes;
    std::vector<LocalTime> readings;
    std::size_t next = 0;
};

class ShotNamingTest : public ::testing::Test {
  protected:
    std::string Next(std::string& prefixToUse, SuffixMode suffixMode) {
        return namer.MakeShotPath(folder, prefixToUse, suffixMode);
    }
    // Walks the counter to `last` cheaply: every name up to there is taken.
    void TakeNumbersUpTo(int last) {
        for (int i = 1; i <= last; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "C:\\Shots\\DH%04d.jpg", i);
            system.files.insert(name);
        }
    }

    FakeSystem system;
    ShotNamer namer{system};
    std::string folder = "C:\\Shots";
    std::string prefix = "DH";
};

TEST_F(ShotNamingTest, NumberedNamesCountUpAndSkipTakenBmpOrJpg) {
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH0001.bmp");
    system.files.insert("C:\\Shots\\DH0002.jpg");
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH0003.bmp");
    system.files.insert("C:\\Shots\\DH0004.bmp");
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH0005.bmp");
    EXPECT_EQ(prefix, "DH");
}

TEST_F(ShotNamingTest, JpgIsProbedOnlyWhenBmpIsFree) {
    system.files.insert("C:\\Shots\\DH0001.bmp");
    Next(prefix, SuffixMode::kNumbered);
    const std::vector<std::string> expected = {"C:\\Shots\\DH0001.bmp", "C:\\Shots\\DH0002.bmp",
                                               "C:\\Shots\\DH0002.jpg"};
    EXPECT_EQ(system.probes, expected);
}

TEST_F(ShotNamingTest, NumberIsNotReusedAfterItsFileIsDeleted) {
    system.files.insert("C:\\Shots\\DH0001.bmp");
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH0002.bmp");
    system.files.clear();
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH0003.bmp");
}

TEST_F(ShotNamingTest, AnyPrefixChangeRestartsTheSearchAtOne) {
    std::string a = "A", b = "B";
    system.files.insert("C:\\Shots\\A0001.bmp");
    EXPECT_EQ(Next(a, SuffixMode::kNumbered), "C:\\Shots\\A0002.bmp");
    EXPECT_EQ(Next(b, SuffixMode::kNumbered), "C:\\Shots\\B0001.bmp");
    system.files.insert("C:\\Shots\\A0002.jpg");
    EXPECT_EQ(Next(a, SuffixMode::kNumbered), "C:\\Shots\\A0003.bmp");
}

TEST_F(ShotNamingTest, NumberNineThousandNineHundredNinetyNineIsStillUsed) {
    TakeNumbersUpTo(9998);
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH9999.bmp");
    EXPECT_EQ(prefix, "DH");
}

TEST_F(ShotNamingTest, RolloverLengthensTheCallersPrefixAndContinues) {
    system.files.insert("C:\\Shots\\DH9999.bmp");
    TakeNumbersUpTo(9998);
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH_0001.bmp");
    EXPECT_EQ(prefix, "DH_");
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH_0002.bmp");
    EXPECT_EQ(prefix, "DH_");
}

TEST_F(ShotNamingTest, EmptyPrefixGivesBareNumbers) {
    std::string empty;
    EXPECT_EQ(Next(empty, SuffixMode::kNumbered), "C:\\Shots\\0001.bmp");
    EXPECT_EQ(Next(empty, SuffixMode::kNumbered), "C:\\Shots\\0002.bmp");
}

// A drive's root ends in its separator already: the path that messages show has one.
TEST_F(ShotNamingTest, AnyNonZeroModeIsNumberedAndADriveRootGetsOneSeparator) {
    folder = "C:\\";
    EXPECT_EQ(Next(prefix, static_cast<SuffixMode>(7)), "C:\\DH0001.bmp");
    EXPECT_EQ(system.probes.front(), "C:\\DH0001.bmp");
}

TEST_F(ShotNamingTest, TimestampNamesFromTheWorkedExamples) {
    system.readings = {{1997, 10, 10, 2, 25, 54, 237}};
    EXPECT_EQ(Next(prefix, SuffixMode::kTimestamp), "C:\\Shots\\DH(971010-022554-23).bmp");
    system.readings = {{2001, 3, 4, 17, 8, 9, 5}};
    system.next = 0;
    EXPECT_EQ(Next(prefix, SuffixMode::kTimestamp), "C:\\Shots\\DH(010304-170809-05).bmp");
}

TEST(TimestampSuffix, MillisecondFieldIsAlwaysTwoCharacters) {
    const LocalTime t{2026, 12, 7, 23, 59, 1, 0};
    const std::pair<int, const char*> cases[] = {
        {0, "00"}, {9, "09"}, {45, "45"}, {100, "10"}, {999, "99"}};
    for (auto [ms, field] : cases) {
        LocalTime reading = t;
        reading.millisecond = ms;
        EXPECT_EQ(TimestampSuffix(reading, t), std::string("(261207-235901-") + field + ")");
    }
}

TEST_F(ShotNamingTest, TimestampClashReadsTheClockAgainAndLeavesNumberingAlone) {
    system.files.insert("C:\\Shots\\DH(971010-022554-23).jpg");
    system.readings = {{1997, 10, 10, 2, 25, 54, 237},
                       {1997, 10, 10, 2, 25, 54, 237},
                       {1997, 10, 10, 2, 25, 54, 412},
                       {1997, 10, 10, 2, 25, 55, 0}};
    // Milliseconds come from the first reading of a pass, date and time from the second.
    EXPECT_EQ(Next(prefix, SuffixMode::kTimestamp), "C:\\Shots\\DH(971010-022555-41).bmp");
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH0001.bmp");
}

TEST_F(ShotNamingTest, TimestampModeDoesNotResetTheSequence) {
    system.readings = {{2001, 3, 4, 17, 8, 9, 5}};
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH0001.bmp");
    std::string other = "X";
    Next(other, SuffixMode::kTimestamp);
    EXPECT_EQ(Next(prefix, SuffixMode::kNumbered), "C:\\Shots\\DH0002.bmp");
}

}  // namespace
}  // namespace dhsu
