#include "shot/shot_recorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

namespace dhsu {
namespace {

// Each clock reading 10 ms after the one before; paths in `files` are taken; sounds are logged.
class FakeSystem : public ShotSystem {
  public:
    LocalTime Now() override {
        LocalTime t = now;
        now.millisecond += 10;
        return t;
    }
    bool IsTaken(const std::string& path) const override { return files.count(path) > 0; }
    void Beep(ShotSound sound) override {
        events.push_back(sound == ShotSound::kWarning ? "warning" : "beep");
    }

    LocalTime now{2001, 3, 4, 17, 8, 9, 5};
    std::set<std::string> files;
    std::vector<std::string> events;
};

// Reading the pixels takes `flat` as it is then; writing them logs and may fail; names in
// `takenMeanwhile` get a file of someone else's while the shot is written.
class FakeImage : public ShotImage {
  public:
    explicit FakeImage(FakeSystem& system) : system_(system) {}
    std::unique_ptr<ShotPixels> ReadPixels() const override {
        if (unreadable) throw std::runtime_error("cannot read");
        return std::make_unique<FakePixels>(*this);
    }
    bool unreadable = false;
    bool flat = false;
    bool fail = false;
    std::set<std::string> takenMeanwhile;

  private:
    class FakeShot : public WrittenShot {
      public:
        explicit FakeShot(const FakeImage& image) : image_(image) {}
        bool MoveTo(const std::string& path) override {
            image_.system_.events.push_back("move " + path);
            image_.system_.files.insert(path);
            return image_.takenMeanwhile.count(path) == 0;
        }

      private:
        const FakeImage& image_;
    };
    class FakePixels : public ShotPixels {
      public:
        explicit FakePixels(const FakeImage& image) : image_(image), flat_(image.flat) {}
        bool IsSingleColour() const override { return flat_; }
        std::unique_ptr<WrittenShot> WriteBmp(const std::string& path) const override {
            image_.system_.events.push_back("write " + path);
            if (image_.fail) throw std::runtime_error("disk full");
            return std::make_unique<FakeShot>(image_);
        }

      private:
        const FakeImage& image_;
        bool flat_;
    };

    FakeSystem& system_;
};

class ShotRecorderTest : public ::testing::Test {
  protected:
    RecordedShot Shoot() { return recorder.Record(image, settings); }

    FakeSystem system;
    ShotRecorder recorder{system};
    FakeImage image{system};
    ShotSettings settings{"D:\\Shots", "DH", SuffixMode::kNumbered, false};
};

TEST_F(ShotRecorderTest, BeepsBeforeWritingAndNamesTheFileOnceWrittenThenCounts) {
    const RecordedShot first = Shoot();
    EXPECT_EQ(system.events, (std::vector<std::string>{"beep", "write D:\\Shots\\DH0001.bmp",
                                                       "move D:\\Shots\\DH0001.bmp"}));
    EXPECT_EQ(first.path, "D:\\Shots\\DH0001.bmp");
    EXPECT_EQ(first.number, 1);
    EXPECT_FALSE(first.queue);
    EXPECT_FALSE(first.failure);
    const RecordedShot second = Shoot();
    EXPECT_EQ(system.events.back(), "move D:\\Shots\\DH0002.bmp");
    EXPECT_EQ(second.number, 2);
}

TEST_F(ShotRecorderTest, JpegOnHasTheWrittenBmpQueued) {
    settings.jpegEnabled = true;
    const RecordedShot shot = Shoot();
    EXPECT_TRUE(shot.queue);
    EXPECT_EQ(shot.path, "D:\\Shots\\DH0001.bmp");
}

TEST_F(ShotRecorderTest, FailedWriteCountsAndBeepsButQueuesNothing) {
    settings.jpegEnabled = true;
    image.fail = true;
    const RecordedShot failed = Shoot();
    ASSERT_TRUE(failed.failure);
    EXPECT_THROW(std::rethrow_exception(failed.failure), std::runtime_error);
    EXPECT_EQ(failed.number, 1);
    EXPECT_EQ(system.events.front(), "beep");
    EXPECT_FALSE(failed.queue);
    EXPECT_EQ(failed.path, "");
    // The next shot works and takes the next number.
    image.fail = false;
    const RecordedShot next = Shoot();
    EXPECT_EQ(next.number, 2);
    EXPECT_EQ(next.path, "D:\\Shots\\DH0002.bmp");
    EXPECT_TRUE(next.queue);
}

TEST_F(ShotRecorderTest, FlatPictureWarnsInsteadOfBeepingAndIsSavedAsUsual) {
    image.flat = true;
    const RecordedShot flat = Shoot();
    EXPECT_EQ(system.events, (std::vector<std::string>{"warning", "write D:\\Shots\\DH0001.bmp",
                                                       "move D:\\Shots\\DH0001.bmp"}));
    EXPECT_EQ(flat.path, "D:\\Shots\\DH0001.bmp");
    // A picture that cannot be read tells nothing of its colours: the simple beep, and the error.
    image.unreadable = true;
    system.events.clear();
    EXPECT_TRUE(Shoot().failure);
    EXPECT_EQ(system.events, std::vector<std::string>{"beep"});
}

TEST_F(ShotRecorderTest, RolloverLengthensThePrefixSettingEvenWhenTheWriteFails) {
    for (int i = 1; i <= 9999; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "D:\\Shots\\DH%04d.bmp", i);
        system.files.insert(name);
    }
    image.fail = true;
    EXPECT_EQ(Shoot().prefix, "DH_");
    // The window keeps the prefix it is given back; numbers are never handed out twice.
    image.fail = false;
    settings.prefix = "DH_";
    const RecordedShot shot = Shoot();
    EXPECT_EQ(shot.prefix, "DH_");
    EXPECT_EQ(shot.path, "D:\\Shots\\DH_0002.bmp");
}

TEST_F(ShotRecorderTest, NameTakenWhileWritingGivesTheShotTheNextFreeName) {
    // Numbered: the count goes on and passes over files that exist.
    image.takenMeanwhile = {"D:\\Shots\\DH0001.bmp"};
    system.files.insert("D:\\Shots\\DH0002.jpg");
    const RecordedShot numbered = Shoot();
    EXPECT_EQ(system.events, (std::vector<std::string>{"beep", "write D:\\Shots\\DH0001.bmp",
                                                       "move D:\\Shots\\DH0001.bmp",
                                                       "move D:\\Shots\\DH0003.bmp"}));
    EXPECT_EQ(numbered.path, "D:\\Shots\\DH0003.bmp");
    EXPECT_EQ(numbered.number, 1);

    // Time stamps: the clock is read anew.
    settings.suffixMode = SuffixMode::kTimestamp;
    image.takenMeanwhile = {"D:\\Shots\\DH(010304-170809-05).bmp"};
    EXPECT_EQ(Shoot().path, "D:\\Shots\\DH(010304-170809-25).bmp");

    // A folder that refuses every name ends in an error, not in a hang.
    settings.suffixMode = SuffixMode::kNumbered;
    settings.prefix = "X";
    for (int i = 1; i <= 100; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "D:\\Shots\\X%04d.bmp", i);
        image.takenMeanwhile.insert(name);
    }
    const RecordedShot refused = Shoot();
    EXPECT_TRUE(refused.failure);
    EXPECT_FALSE(refused.queue);
}

}  // namespace
}  // namespace dhsu
