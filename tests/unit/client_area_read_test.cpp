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

TEST(ClientAreaRead, AFlatWindowReadGivesWayToAScreenReadThatIsNotFlat) {
    const Picture black(true), screen(false);
    EXPECT_EQ(ChooseClientAreaRead(black, [&] { return &screen; }), ClientAreaRead::kScreen);
    const Picture flatScreen(true);
    EXPECT_EQ(ChooseClientAreaRead(black, [&] { return &flatScreen; }), ClientAreaRead::kWindow);
    EXPECT_EQ(ChooseClientAreaRead(black, [] { return nullptr; }), ClientAreaRead::kWindow);
    const Picture unreadableScreen(false, false);
    EXPECT_EQ(ChooseClientAreaRead(black, [&] { return &unreadableScreen; }),
              ClientAreaRead::kWindow);
}

TEST(ClientAreaRead, AWindowReadThatIsNotFlatIsKeptWithoutReadingTheScreen) {
    const Picture screen(false);
    int screenReads = 0;
    const auto readScreen = [&]() -> const ShotImage* {
        ++screenReads;
        return &screen;
    };
    for (const bool readable : {true, false}) {
        const Picture window(false, readable);
        EXPECT_EQ(ChooseClientAreaRead(window, readScreen), ClientAreaRead::kWindow) << readable;
    }
    EXPECT_EQ(screenReads, 0);
}

}  // namespace
}  // namespace dhsu
