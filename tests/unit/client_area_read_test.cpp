#include "shot/client_area_read.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
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

const Picture kFlat(true), kPatterned(false), kUnreadable(false, false);

// 'f' flat, 'p' patterned, 'u' unreadable, '-' a read that gives nothing.
const Picture* PictureFor(char look) {
    return look == 'f' ? &kFlat : look == 'p' ? &kPatterned : look == 'u' ? &kUnreadable : nullptr;
}

TEST(ClientAreaRead, TakesOnlyTheReadsItNeedsAndRemembersAWindowThatReadsFlat) {
    // What the window, the screen and the window's row show; the reads taken, in order.
    const struct {
        bool screenFirst;
        const char* looks;
        ClientAreaRead read;
        bool screenFirstNext;
        const char* taken;
    } cases[] = {
        {false, "fp-", ClientAreaRead::kScreen, true, "ws"},
        {false, "ff-", ClientAreaRead::kWindow, false, "ws"},
        {false, "fu-", ClientAreaRead::kWindow, false, "ws"},
        {false, "f--", ClientAreaRead::kWindow, false, "ws"},
        {false, "pp-", ClientAreaRead::kWindow, false, "w"},
        {false, "up-", ClientAreaRead::kWindow, false, "w"},
        {true, "fpf", ClientAreaRead::kScreen, true, "rs"},
        {true, "fff", ClientAreaRead::kWindow, true, "rsw"},
        {true, "pff", ClientAreaRead::kWindow, false, "rsw"},
        {true, "ppp", ClientAreaRead::kWindow, false, "rw"},
        {true, "ppu", ClientAreaRead::kWindow, false, "rw"},
    };
    for (const auto& c : cases) {
        std::string taken;
        const auto read = [&](int i) {
            return [&, i]() -> const ShotImage* {
                taken += "wsr"[i];
                return PictureFor(c.looks[i]);
            };
        };
        const ClientAreaChoice choice =
            ChooseClientAreaRead(c.screenFirst, {read(0), read(1), read(2)});
        EXPECT_EQ(choice.read, c.read) << c.looks << c.screenFirst;
        EXPECT_EQ(choice.screenFirst, c.screenFirstNext) << c.looks << c.screenFirst;
        EXPECT_EQ(taken, c.taken) << c.looks << c.screenFirst;
    }
}

}  // namespace
}  // namespace dhsu
