#include "shot/client_area_read.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "shot/single_colour.h"

namespace dhsu {
namespace {

// A 32-bit picture, 4 x 3, flat or with one pixel of another colour.
class Picture : public ShotImage {
  public:
    explicit Picture(bool flat, bool readable = true)
        : bits_(4 * 3, 0x00102030), readable_(readable) {
        if (!flat) bits_[5] = 0x00FFFFFF;
    }
    std::unique_ptr<ShotPixels> ReadPixels() const override {
        if (!readable_) throw std::runtime_error("cannot read");
        auto pixels = std::make_unique<Pixels>();
        pixels->view = {4, 3, 32, {}, reinterpret_cast<const std::uint8_t*>(bits_.data()), 16};
        return pixels;
    }

  private:
    struct Pixels : ShotPixels {
        bool IsSingleColour() const override { return dhsu::IsSingleColour(view); }
        std::unique_ptr<WrittenShot> WriteBmp(const std::string&) const override { return {}; }
        BitmapView view;
    };
    std::vector<std::uint32_t> bits_;
    bool readable_;
};

// The reads of one press, each counted; nullptr stands for a read that gives nothing.
class Reads {
  public:
    Reads(const Picture* window, const Picture* screen, const Picture* windowRow = nullptr)
        : reads_{Counted(window, windowReads), Counted(screen, screenReads),
                 Counted(windowRow, rowReads)} {}
    ClientAreaChoice Choose(bool screenFirst) { return ChooseClientAreaRead(screenFirst, reads_); }
    int windowReads = 0, screenReads = 0, rowReads = 0;

  private:
    static std::function<const ShotImage*()> Counted(const Picture* picture, int& count) {
        return [picture, &count]() -> const ShotImage* {
            ++count;
            return picture;
        };
    }
    ClientAreaReads reads_;
};

void ExpectChoice(ClientAreaChoice choice, ClientAreaRead read, bool screenFirst) {
    EXPECT_EQ(choice.read, read);
    EXPECT_EQ(choice.screenFirst, screenFirst);
}

const Picture kFlat(true), kPatterned(false), kUnreadable(false, false);

TEST(ClientAreaRead, AFlatWindowReadGivesWayToAScreenReadThatIsNotFlatAndIsRemembered) {
    Reads black(&kFlat, &kPatterned);
    ExpectChoice(black.Choose(false), ClientAreaRead::kScreen, true);
    EXPECT_EQ(black.rowReads, 0);
    for (const Picture* screen : {&kFlat, &kUnreadable, static_cast<const Picture*>(nullptr)}) {
        Reads flat(&kFlat, screen);
        ExpectChoice(flat.Choose(false), ClientAreaRead::kWindow, false);
    }
}

TEST(ClientAreaRead, AWindowReadThatIsNotFlatIsKeptWithoutReadingTheScreen) {
    for (const Picture* window : {&kPatterned, &kUnreadable}) {
        Reads reads(window, &kPatterned);
        ExpectChoice(reads.Choose(false), ClientAreaRead::kWindow, false);
        EXPECT_EQ(reads.screenReads, 0);
    }
}

TEST(ClientAreaRead, AWindowKnownToReadFlatIsTakenFromTheScreenAloneWhileItsRowStaysFlat) {
    Reads gpu(&kFlat, &kPatterned, &kFlat);
    ExpectChoice(gpu.Choose(true), ClientAreaRead::kScreen, true);
    EXPECT_EQ(gpu.windowReads, 0);
    EXPECT_EQ(gpu.screenReads, 1);
    // A flat screen falls back on the window's read, which says whether it still reads flat.
    Reads loading(&kFlat, &kFlat, &kFlat);
    ExpectChoice(loading.Choose(true), ClientAreaRead::kWindow, true);
    Reads drawsAgain(&kPatterned, &kFlat, &kFlat);
    ExpectChoice(drawsAgain.Choose(true), ClientAreaRead::kWindow, false);
}

TEST(ClientAreaRead, AWindowKnownToReadFlatWhoseRowIsNotIsReadAsAnyOther) {
    for (const Picture* row : {&kPatterned, &kUnreadable}) {
        Reads reads(&kPatterned, &kPatterned, row);
        ExpectChoice(reads.Choose(true), ClientAreaRead::kWindow, false);
        EXPECT_EQ(reads.screenReads, 0);
        EXPECT_EQ(reads.windowReads, 1);
    }
}

}  // namespace
}  // namespace dhsu
