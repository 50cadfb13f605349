// Bitmaps put on the clipboard by other programs become shots, each picture once; the viewer
// chain stays whole.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <set>
#include <thread>
#include <vector>

#include "dhsu_test.h"
#include "test_window.h"
#include "ui/main_window_controls_win.h"

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

// A viewer on a thread of its own that, once told to, stops answering until it is destroyed.
class HangingViewer {
  public:
    HangingViewer() : thread_([this] { Run(); }) {
        WaitFor([&] { return threadId_.load() != 0; });
    }
    ~HangingViewer() {
        SetEvent(release_);
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        // Leaving the chain sends messages to this thread's windows: keep handling them.
        WaitFor([&] { return finished_.load(); });
        thread_.join();
        CloseHandle(hanging_);
        CloseHandle(release_);
    }
    // Returns once the thread has stopped answering.
    void Hang() {
        PostThreadMessageW(threadId_, WM_APP, 0, 0);
        WaitForSingleObject(hanging_, 30000);
    }

  private:
    void Run() {
        {
            Viewer viewer;
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for posts
            threadId_ = GetCurrentThreadId();
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                if (message.hwnd == nullptr && message.message == WM_APP) {
                    SetEvent(hanging_);
                    WaitForSingleObject(release_, 120000);
                }
                DispatchMessageW(&message);
            }
        }
        finished_ = true;
    }
    HANDLE hanging_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

class ClipboardTest : public DhsuTest {
  protected:
    void StartWithBmpShots() {
        ASSERT_NO_FATAL_FAILURE(Start());
        dhsu->Click(dhsu::CheckBox_JPEG);  // plain BMP shots
    }
    Viewer owner;  // also owns what the test puts on the clipboard
};

TEST_F(ClipboardTest, BitmapLeftFromBeforeTheStartIsDiscardedNotRecorded) {
    ASSERT_TRUE(PutBitmap(owner.Handle()));
    StartWithBmpShots();
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
    StartWithBmpShots();
    ASSERT_TRUE(PutBitmap(owner.Handle()));
    ASSERT_TRUE(WaitFor([&] { return dhsu->ControlText(dhsu::Label_Count) != "Obr.  : 0"; }));
    BmpImage image;
    ASSERT_TRUE(ReadBmp(folder / "DH0001.bmp", image));
    ASSERT_EQ(image.width, kWidth);
    ASSERT_EQ(image.height, kHeight);
    ExpectPattern(image, 0, 0, kWidth, kHeight);

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

// A shot is a BMP file until it has become a JPEG file of the same name.
std::set<std::string> ShotNames(const std::filesystem::path& folder) {
    std::set<std::string> shots;
    for (const std::string& name : FilesIn(folder))
        if (name.ends_with(".bmp") || name.ends_with(".jpg"))
            shots.insert(name.substr(0, name.size() - 4));
    return shots;
}

TEST_F(ClipboardTest, ChainMessagesThatLoopBackToUsChangeNoShotCount) {
    owner.Leave();  // so the program is the last viewer, with no next viewer
    folder = FreshFolder("ClipboardLoops");
    dhsu = std::make_unique<DhsuProcess>(folder, /*withLibrary=*/true);
    ASSERT_NE(dhsu->Window(), nullptr);
    auto shotsOfOneChange = [&] {
        const std::size_t before = ShotNames(folder).size();
        EXPECT_TRUE(PutBitmap(owner.Handle()));
        EXPECT_TRUE(dhsu->HandledEarlierMessages());
        EXPECT_TRUE(WaitFor([&] { return dhsu->Caption() == "DH Screenshot Utility"; }));
        return ShotNames(folder).size() - before;
    };
    auto nextViewerLeaves = [&](HWND following) {
        return SendMessageTimeoutW(dhsu->Window(), WM_CHANGECBCHAIN, 0,
                                   reinterpret_cast<LPARAM>(following), SMTO_NORMAL, 30000,
                                   nullptr) != 0;
    };
    const std::size_t expected = shotsOfOneChange();
    ASSERT_GE(expected, 1u);

    ASSERT_TRUE(nextViewerLeaves(dhsu->Window()));
    EXPECT_EQ(shotsOfOneChange(), expected) << "the program took itself as its next viewer";

    Viewer first;  // joins after the program, so it passes every notification on to it
    ASSERT_TRUE(nextViewerLeaves(first.Handle()));
    EXPECT_EQ(shotsOfOneChange(), expected) << "a loop through another viewer";

    // Closing waits for the queue: every shot must have become a JPEG file.
    ASSERT_EQ(dhsu->Close(), 0u);
    dhsu.reset();
    for (const std::string& shot : ShotNames(folder))
        EXPECT_TRUE(std::filesystem::exists(folder / (shot + ".jpg"))) << shot;
    EXPECT_EQ(ShotsIn(folder), 0u);
}

TEST_F(ClipboardTest, NotificationsWithoutANewChangeRecordNothing) {
    StartWithBmpShots();
    ASSERT_TRUE(PutBitmap(owner.Handle()));
    ASSERT_TRUE(WaitFor([&] { return dhsu->ControlText(dhsu::Label_Count) != "Obr.  : 0"; }));
    for (int forged = 0; forged < 1000; ++forged)
        ASSERT_TRUE(SendMessageTimeoutW(dhsu->Window(), WM_DRAWCLIPBOARD, 0, 0, SMTO_ABORTIFHUNG,
                                        kSendTimeoutMs, nullptr));
    ASSERT_TRUE(dhsu->HandledEarlierMessages());
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"DH0001.bmp", "dhsu.exe"}));
    EXPECT_EQ(dhsu->ControlText(dhsu::Label_Count), "Shot : 1");
}

// Pictures replaced before the program could read them are lost, but none is saved twice. The
// figures are printed: how many of the burst were saved depends on the host's speed.
TEST_F(ClipboardTest, BurstOfDifferentBitmapsSavesNoPictureTwice) {
    constexpr int kPictures = 100;
    owner.Leave();  // the program last in the chain: nothing waits for this busy thread
    StartWithBmpShots();
    std::vector<std::uint8_t> pixels = PatternPixels(kWidth, kHeight);
    for (int picture = 1; picture <= kPictures; ++picture) {
        pixels[0] = std::uint8_t(picture);  // the blue of the top left pixel tells them apart
        ASSERT_TRUE(
            PutOnClipboard(owner.Handle(), CF_BITMAP, BitmapOf(kWidth, kHeight, pixels.data())));
    }
    ASSERT_TRUE(dhsu->HandledEarlierMessages());
    std::multiset<int> saved;
    for (std::size_t number = 1; number <= ShotsIn(folder); ++number) {
        BmpImage image;
        ASSERT_TRUE(ReadBmp(ShotPath(folder, number), image)) << number;
        saved.insert(image.At(0, 0).blue);
    }
    const std::size_t distinct = std::set<int>(saved.begin(), saved.end()).size();
    std::printf("burst of %d pictures: %zu shots, %zu different pictures\n", kPictures,
                saved.size(), distinct);
    RecordProperty("Shots", int(saved.size()));
    RecordProperty("DifferentPictures", int(distinct));
    EXPECT_GE(distinct, 1u);
    EXPECT_EQ(saved.size(), distinct) << "a picture was saved more than once";
}

TEST_F(ClipboardTest, ViewerAfterOursThatStopsAnsweringHoldsNoShotUp) {
    HangingViewer hung;  // joins before the program, so it follows it in the chain
    StartWithBmpShots();
    TestWindow window(700, 500, 80, 60);
    hung.Hang();
    ASSERT_TRUE(PutText(owner.Handle(), "passed on to a viewer that does not answer"));
    ASSERT_TRUE(dhsu->HandledEarlierMessages());

    ASSERT_TRUE(window.BringToFront());
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(folder / "DH0001.bmp"); }));
}

TEST_F(ClipboardTest, ViewersAfterOursKeepGettingNotifiedAsTheChainChanges) {
    Viewer last;    // joined first: the end of the chain
    Viewer middle;  // then this one: between the program and `last`
    StartWithBmpShots();
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
