// Bitmaps put on the clipboard by other programs become shots; the viewer chain stays whole.

#include <gtest/gtest.h>

#include "dhsu_process.h"
#include "test_window.h"
#include "ui/main_window_controls.h"

namespace e2e {
namespace {

constexpr int kWidth = 120, kHeight = 90;

bool PutBitmap(HWND owner) {
    return PutOnClipboard(owner, CF_BITMAP, PatternBitmap(kWidth, kHeight));
}

bool PutText(HWND owner, const char* text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(memory), text, strlen(text) + 1);
    GlobalUnlock(memory);
    return PutOnClipboard(owner, CF_TEXT, memory);
}

bool ClipboardHasBitmap() {
    return IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
}

// Another program's clipboard viewer, counting the notifications it is given.
class Viewer {
  public:
    Viewer() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"DhsuE2eViewer";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"viewer", WS_OVERLAPPED, 0, 0, 10,
                                  10, nullptr, nullptr, windowClass.hInstance, this);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        next_ = SetClipboardViewer(window_);
        drawn = 0;  // joining notifies at once
    }
    ~Viewer() {
        Leave();
        DestroyWindow(window_);
    }
    void Leave() {
        if (joined_) ChangeClipboardChain(window_, next_);
        joined_ = false;
    }
    HWND Handle() const { return window_; }
    int drawn = 0;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Viewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_DRAWCLIPBOARD) {
            ++self->drawn;
            if (self->next_) SendMessageW(self->next_, message, wParam, lParam);
            return 0;
        }
        if (self && message == WM_CHANGECBCHAIN) {
            if (reinterpret_cast<HWND>(wParam) == self->next_)
                self->next_ = reinterpret_cast<HWND>(lParam);
            else if (self->next_)
                SendMessageW(self->next_, message, wParam, lParam);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
    HWND next_ = nullptr;
    bool joined_ = true;
};

class ClipboardTest : public ::testing::Test {
  protected:
    void Start(const std::string& name) {
        folder = FreshFolder(name);
        dhsu = std::make_unique<DhsuProcess>(folder);
        ASSERT_NE(dhsu->Window(), nullptr);
        dhsu->Click(dhsu::CheckBox_JPEG);  // plain BMP shots
    }
    void TearDown() override {
        if (dhsu) {
            EXPECT_EQ(dhsu->Close(), 0u);
        }
    }
    std::filesystem::path folder;
    std::unique_ptr<DhsuProcess> dhsu;
    Viewer owner;  // also owns what the test puts on the clipboard
};

TEST_F(ClipboardTest, BitmapLeftFromBeforeTheStartIsDiscardedNotRecorded) {
    ASSERT_TRUE(PutBitmap(owner.Handle()));
    Start("ClipboardAtStart");
    EXPECT_TRUE(WaitFor([] { return !ClipboardHasBitmap(); }));
    ASSERT_TRUE(dhsu->HandledEarlierMessages());
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"dhsu.exe"});
    EXPECT_EQ(dhsu->ControlText(dhsu::Label_Count), "Obr.  : 0");
}

// Wine may notify a viewer twice for one change of the clipboard, and each notification while a
// bitmap is there is a shot; so the tests count shots rather than expect exactly one per change.
std::size_t ShotsIn(const std::filesystem::path& folder) {
    std::size_t shots = 0;
    for (const std::string& name : FilesIn(folder)) shots += name.ends_with(".bmp");
    return shots;
}

std::filesystem::path ShotPath(const std::filesystem::path& folder, std::size_t number) {
    char name[16];
    std::snprintf(name, sizeof name, "DH%04zu.bmp", number);
    return folder / name;
}

TEST_F(ClipboardTest, EachNewBitmapIsTheNextNumberedShotAndTextIsIgnored) {
    Start("ClipboardShots");
    ASSERT_TRUE(PutBitmap(owner.Handle()));
    ASSERT_TRUE(WaitFor([&] { return dhsu->ControlText(dhsu::Label_Count) != "Obr.  : 0"; }));
    BmpImage image;
    ASSERT_TRUE(ReadBmp(folder / "DH0001.bmp", image));
    ASSERT_EQ(image.width, kWidth);
    ASSERT_EQ(image.height, kHeight);
    EXPECT_EQ(image.At(0, 0), PatternAt(0, 0));
    EXPECT_EQ(image.At(kWidth - 1, kHeight - 1), PatternAt(kWidth - 1, kHeight - 1));

    // Notifications are handled before messages posted after them: once the marker is handled,
    // every change so far has been seen, and two text changes between markers must add nothing.
    ASSERT_TRUE(PutText(owner.Handle(), "not a picture"));
    ASSERT_TRUE(dhsu->HandledEarlierMessages());
    const std::size_t first = ShotsIn(folder);
    ASSERT_TRUE(PutText(owner.Handle(), "still not a picture"));
    ASSERT_TRUE(dhsu->HandledEarlierMessages());
    EXPECT_EQ(ShotsIn(folder), first);

    ASSERT_TRUE(PutBitmap(owner.Handle()));
    ASSERT_TRUE(dhsu->HandledEarlierMessages());
    const std::string label = dhsu->ControlText(dhsu::Label_Count);
    const std::size_t shots = std::stoul(label.substr(label.find(':') + 1));
    EXPECT_GT(shots, first);
    for (std::size_t number = 1; number <= shots; ++number)
        EXPECT_TRUE(std::filesystem::exists(ShotPath(folder, number)))
            << number << " of " << label << ": " << ::testing::PrintToString(FilesIn(folder));
}

TEST_F(ClipboardTest, ViewersAfterOursKeepGettingNotifiedAsTheChainChanges) {
    Viewer last;    // joined first: the end of the chain
    Viewer middle;  // then this one: between the program and `last`
    Start("ClipboardChain");
    ASSERT_TRUE(PutText(owner.Handle(), "one"));
    ASSERT_TRUE(WaitFor([&] { return last.drawn >= 1 && middle.drawn >= 1; }));

    middle.Leave();
    const int before = last.drawn;
    ASSERT_TRUE(PutText(owner.Handle(), "two"));
    ASSERT_TRUE(WaitFor([&] { return last.drawn > before; })) << "the program lost its next viewer";

    ASSERT_EQ(dhsu->Close(), 0u);
    dhsu.reset();
    const int afterClose = last.drawn;
    ASSERT_TRUE(PutText(owner.Handle(), "three"));
    EXPECT_TRUE(WaitFor([&] { return last.drawn > afterClose; })) << "the chain broke at close";
}

}  // namespace
}  // namespace e2e
