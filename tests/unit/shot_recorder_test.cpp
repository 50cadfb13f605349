#include "shot/shot_recorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

namespace dhsu {
namespace {

class EmptyFolder : public ShotFolder {
  public:
    std::string Directory() const override { return "D:\\Shots"; }
    bool FileExists(const std::string& path) const override { return existing.count(path) > 0; }
    std::set<std::string> existing;
};

// Each reading 10 ms after the one before.
class TickingClock : public Clock {
  public:
    LocalTime Now() override {
        LocalTime t = now;
        now.millisecond += 10;
        return t;
    }
    LocalTime now{2001, 3, 4, 17, 8, 9, 5};
};

// Records the order of what recording does to the window.
class FakeHost : public ShotRecorderHost {
  public:
    std::string& FilePrefix() override { return prefix; }
    int SuffixMode() const override { return suffixMode; }
    bool JpegEnabled() const override { return jpeg; }
    std::int16_t JpegQuality() const override { return quality; }
    void Beep() override { events.push_back("beep"); }
    void WakeWorker() override { events.push_back("wake"); }
    void SetCaptionAndTitle(const std::string& text) override { caption = text; }
    void SetShotCountLabel(const std::string& text) override { label = text; }

    std::string prefix = "DH";
    int suffixMode = kNumberedSuffix;
    bool jpeg = false;
    std::int16_t quality = 75;
    std::vector<std::string> events;
    std::string caption = "untouched", label = "Obr.  : 0";
};

// Names in `takenMeanwhile` get a file of someone else's while the shot is written.
class FakeWrittenShot : public WrittenShot {
  public:
    FakeWrittenShot(std::vector<std::string>& events, EmptyFolder& folder,
                    const std::set<std::string>& takenMeanwhile)
        : events_(events), folder_(folder), takenMeanwhile_(takenMeanwhile) {}
    bool MoveTo(const std::string& path) override {
        events_.push_back("move " + path);
        folder_.existing.insert(path);
        return takenMeanwhile_.count(path) == 0;
    }

  private:
    std::vector<std::string>& events_;
    EmptyFolder& folder_;
    const std::set<std::string>& takenMeanwhile_;
};

class FakeImage : public ShotImage {
  public:
    FakeImage(std::vector<std::string>& events, EmptyFolder& folder)
        : events_(events), folder_(folder) {}
    std::unique_ptr<WrittenShot> WriteBmp(const std::string& path) const override {
        events_.push_back("write " + path);
        if (fail) throw std::runtime_error("disk full");
        return std::make_unique<FakeWrittenShot>(events_, folder_, takenMeanwhile);
    }
    bool fail = false;
    std::set<std::string> takenMeanwhile;

  private:
    std::vector<std::string>& events_;
    EmptyFolder& folder_;
};

class ShotRecorderTest : public ::testing::Test {
  protected:
    EmptyFolder folder;
    TickingClock clock;
    ShotNamer namer{folder, clock};
    FakeHost host;
    DequeStringList paths, qualities;
    ShotRecorder recorder{namer, host, {paths, qualities}};
    FakeImage image{host.events, folder};
};

TEST_F(ShotRecorderTest, MissingBitmapChangesNothing) {
    recorder.RecordShot(nullptr);
    EXPECT_EQ(recorder.ShotCount(), 0);
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(host.caption, "untouched");
    EXPECT_EQ(host.label, "Obr.  : 0");
}

TEST_F(ShotRecorderTest, BeepsBeforeWritingAndNamesTheFileOnceWrittenThenUpdatesTexts) {
    recorder.RecordShot(&image);
    EXPECT_EQ(host.events, (std::vector<std::string>{"beep", "write D:\\Shots\\DH0001.bmp",
                                                     "move D:\\Shots\\DH0001.bmp"}));
    EXPECT_EQ(host.caption, "DH Screenshot Utility");
    EXPECT_EQ(host.label, "Shot : 1");
    EXPECT_EQ(paths.Count(), 0u);
    recorder.RecordShot(&image);
    EXPECT_EQ(host.events.back(), "move D:\\Shots\\DH0002.bmp");
    EXPECT_EQ(host.label, "Shot : 2");
}

TEST_F(ShotRecorderTest, JpegOnQueuesPathAndQualityAtTheSameIndexAndWakesTheWorker) {
    host.jpeg = true;
    paths.Append("D:\\Shots\\old.bmp");
    qualities.Append("90");
    host.quality = 42;
    recorder.RecordShot(&image);
    EXPECT_EQ(paths.Items(),
              (std::deque<std::string>{"D:\\Shots\\old.bmp", "D:\\Shots\\DH0001.bmp"}));
    EXPECT_EQ(qualities.Items(), (std::deque<std::string>{"90", "42"}));
    EXPECT_EQ(host.events.back(), "wake");
    EXPECT_EQ(host.caption, "Encoding...2 - DH Screenshot Utility");
}

TEST_F(ShotRecorderTest, FailedWriteCountsAndBeepsButQueuesAndUpdatesNothing) {
    host.jpeg = true;
    image.fail = true;
    EXPECT_THROW(recorder.RecordShot(&image), std::runtime_error);
    EXPECT_EQ(recorder.ShotCount(), 1);
    EXPECT_EQ(host.events.front(), "beep");
    EXPECT_EQ(paths.Count(), 0u);
    EXPECT_EQ(host.caption, "untouched");
    EXPECT_EQ(host.label, "Obr.  : 0");
    // The next shot works and takes the next number.
    image.fail = false;
    recorder.RecordShot(&image);
    EXPECT_EQ(host.label, "Shot : 2");
    EXPECT_EQ(paths.Items().back(), "D:\\Shots\\DH0002.bmp");
}

TEST_F(ShotRecorderTest, RolloverLengthensTheWindowsPrefixSetting) {
    for (int i = 1; i <= 9999; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "D:\\Shots\\DH%04d.bmp", i);
        folder.existing.insert(name);
    }
    recorder.RecordShot(&image);
    EXPECT_EQ(host.prefix, "DH_");
    EXPECT_EQ(host.events.back(), "move D:\\Shots\\DH_0001.bmp");
}

TEST_F(ShotRecorderTest, NameTakenWhileWritingGivesTheShotTheNextFreeName) {
    host.jpeg = true;
    // Numbered: the count goes on and passes over files that exist.
    image.takenMeanwhile = {"D:\\Shots\\DH0001.bmp"};
    folder.existing.insert("D:\\Shots\\DH0002.jpg");
    recorder.RecordShot(&image);
    EXPECT_EQ(host.events, (std::vector<std::string>{"beep", "write D:\\Shots\\DH0001.bmp",
                                                     "move D:\\Shots\\DH0001.bmp",
                                                     "move D:\\Shots\\DH0003.bmp", "wake"}));
    EXPECT_EQ(paths.Items(), (std::deque<std::string>{"D:\\Shots\\DH0003.bmp"}));
    EXPECT_EQ(host.label, "Shot : 1");

    // Time stamps: the clock is read anew.
    host.suffixMode = kTimestampSuffix;
    image.takenMeanwhile = {"D:\\Shots\\DH(010304-170809-05).bmp"};
    recorder.RecordShot(&image);
    EXPECT_EQ(paths.Items().back(), "D:\\Shots\\DH(010304-170809-25).bmp");

    // A folder that refuses every name ends in an error, not in a hang.
    host.suffixMode = kNumberedSuffix;
    host.prefix = "X";
    for (int i = 1; i <= 100; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "D:\\Shots\\X%04d.bmp", i);
        image.takenMeanwhile.insert(name);
    }
    EXPECT_THROW(recorder.RecordShot(&image), std::runtime_error);
    EXPECT_EQ(paths.Count(), 2u);
}

TEST(EncodingCaption, CountsWaitingFiles) {
    EXPECT_EQ(EncodingCaption(0), "DH Screenshot Utility");
    EXPECT_EQ(EncodingCaption(3), "Encoding...3 - DH Screenshot Utility");
}

}  // namespace
}  // namespace dhsu
