#include "jpeg/Unit_EncodeJpeg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace dhsu {
namespace {

using namespace std::chrono_literals;
constexpr auto kPatience = 10s;

// The test's thread plays the UI thread: a step the worker asks for waits until the test pumps,
// as a sent message waits for the window's message loop.
class FakeUiThread : public UiDispatcher {
  public:
    void RunOnUiThread(const std::function<void()>& step) override {
        Request request{step, false, nullptr};
        std::unique_lock lock(mutex_);
        waiting_.push_back(&request);
        changed_.notify_all();
        changed_.wait(lock, [&] { return request.done; });
        if (request.error) std::rethrow_exception(request.error);
    }

    // Runs the next step asked for, waiting up to the timeout for one.
    bool RunNext(std::chrono::milliseconds timeout) {
        Request* request = nullptr;
        {
            std::unique_lock lock(mutex_);
            if (!changed_.wait_for(lock, timeout, [&] { return !waiting_.empty(); })) return false;
            request = waiting_.front();
            waiting_.pop_front();
        }
        try {
            request->step();
        } catch (...) {
            request->error = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            request->done = true;
            ++stepsRun_;
        }
        changed_.notify_all();
        return true;
    }

    bool PumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            RunNext(10ms);
        }
        return true;
    }

    int StepsRun() const {
        std::lock_guard lock(mutex_);
        return stepsRun_;
    }

  private:
    struct Request {
        const std::function<void()>& step;
        bool done = false;
        std::exception_ptr error;
    };
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Request*> waiting_;
    int stepsRun_ = 0;
};

// Tells when the worker has freed itself. It stands in the worker's setup for the UI thread, the
// part of the setup that goes last, so all the rest of the worker is gone when it tells.
class EndWatch final : public UiDispatcher {
  public:
    struct Ending {
        bool WaitFor(std::chrono::milliseconds timeout) {
            std::unique_lock lock(mutex);
            return changed.wait_for(lock, timeout, [this] { return ended; });
        }
        std::mutex mutex;
        std::condition_variable changed;
        bool ended = false;
    };

    EndWatch(std::shared_ptr<Ending> ending, std::shared_ptr<FakeUiThread> ui)
        : notice_{std::move(ending)}, ui_(std::move(ui)) {}
    void RunOnUiThread(const std::function<void()>& step) override { ui_->RunOnUiThread(step); }

  private:
    struct Notice {
        ~Notice() {
            {
                const std::lock_guard lock(ending->mutex);
                ending->ended = true;
            }
            ending->changed.notify_all();
        }
        std::shared_ptr<Ending> ending;
    };
    Notice notice_;  // before the UI thread's reference, so it goes after it
    std::shared_ptr<FakeUiThread> ui_;
};

// A queue list that counts every touch from a thread other than the one that made it.
class UiThreadList : public StringList {
  public:
    std::size_t Count() const override { return Checked().size(); }
    std::string First() const override { return Checked().front(); }
    void Append(const std::string& text) override { Checked().push_back(text); }
    void RemoveFirst() override { Checked().pop_front(); }
    int ForeignTouches() const { return foreignTouches_; }

  private:
    std::deque<std::string>& Checked() const {
        if (std::this_thread::get_id() != owner_) ++foreignTouches_;
        return items_;
    }
    std::thread::id owner_ = std::this_thread::get_id();
    mutable std::deque<std::string> items_;
    mutable std::atomic<int> foreignTouches_{0};
};

class FakePlatform : public ConversionPlatform {
  public:
    // Set before the worker starts.
    bool libraryPresent = true;
    std::set<std::string> unwritable;  // JPEG paths a save leaves unwritten
    // JPEG paths another program creates while the save runs: the save fails, a file is there.
    std::set<std::string> takenMeanwhile;
    std::set<std::string> unloadable;  // BMP paths the library cannot load
    bool entryPointsPresent = true;
    std::string failingPath;                // an existence test that throws
    std::set<std::string> savedButMissing;  // saves that report success and leave no file

    bool SaveSucceeds(const std::string& jpegPath) const {
        return savedButMissing.count(jpegPath) > 0 ||
               (unwritable.count(jpegPath) == 0 && takenMeanwhile.count(jpegPath) == 0);
    }
    bool IsFile(const std::string& path) const override {
        if (path == failingPath) throw std::runtime_error("drive not ready");
        std::lock_guard lock(mutex_);
        return files_.count(path) > 0;
    }
    void WorkerThreadStarted() override {
        std::lock_guard lock(mutex_);
        startThreads_.push_back(std::this_thread::get_id());
        callsBeforeStart_ = calls_.size();
    }
    void RemoveFile(const std::string& path) override { Record("delete " + path); }
    std::unique_ptr<JpegLibrary> OpenJpegLibrary() override;
    void ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override {
        std::lock_guard lock(mutex_);
        messages_.push_back(caption + " | " + text + " | " + std::to_string(flags));
    }

    void AddFile(const std::string& path) {
        std::lock_guard lock(mutex_);
        files_.insert(path);
    }
    void Record(const std::string& call) {
        std::lock_guard lock(mutex_);
        calls_.push_back(call);
        callThreads_.insert(std::this_thread::get_id());
        if (call.rfind("delete ", 0) == 0) files_.erase(call.substr(7));
        if (call.rfind("save ", 0) == 0) {
            const std::string path = call.substr(call.find(' ', 5) + 1);
            if (unwritable.count(path) == 0 && savedButMissing.count(path) == 0)
                files_.insert(path);
        }
    }
    std::set<std::string> Files() const {
        std::lock_guard lock(mutex_);
        return files_;
    }
    std::vector<std::string> Calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    std::vector<std::string> Saves() const {
        std::vector<std::string> saves;
        for (const auto& call : Calls())
            if (call.rfind("save", 0) == 0) saves.push_back(call);
        return saves;
    }
    std::vector<std::string> Messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    std::vector<std::thread::id> StartThreads() const {
        std::lock_guard lock(mutex_);
        return startThreads_;
    }
    std::set<std::thread::id> CallThreads() const {
        std::lock_guard lock(mutex_);
        return callThreads_;
    }
    std::size_t CallsBeforeStart() const {
        std::lock_guard lock(mutex_);
        return callsBeforeStart_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::thread::id> startThreads_;
    std::set<std::thread::id> callThreads_;  // of the file system and the library
    std::size_t callsBeforeStart_ = 0;
    std::set<std::string> files_;
    std::vector<std::string> calls_;
    std::vector<std::string> messages_;
};

class FakeLibrary : public JpegLibrary {
  public:
    explicit FakeLibrary(FakePlatform& platform) : platform_(platform) {}
    ~FakeLibrary() override { platform_.Record("free"); }
    bool HasEntryPoints() const override { return platform_.entryPointsPresent; }
    bool Load(const std::string& path) override {
        platform_.Record("load " + path);
        return platform_.unloadable.count(path) == 0;
    }
    bool SaveAsJpg(int quality, const std::string& path) override {
        platform_.Record("save " + std::to_string(quality) + " " + path);
        return platform_.SaveSucceeds(path);
    }

  private:
    FakePlatform& platform_;
};

std::unique_ptr<JpegLibrary> FakePlatform::OpenJpegLibrary() {
    Record("open");
    if (!libraryPresent) return nullptr;
    return std::make_unique<FakeLibrary>(*this);
}

const std::string kMissingLibraryMessage = "JPEG Encoding Error | NviewLib.dll is not found. | 64";
constexpr char kNoEntryPoints[] = "NviewLib.dll lacks its conversion entry points.";
constexpr char kUnreadable[] = "NviewLib.dll could not read the picture, or it is too large.";
constexpr char kNotWritten[] = "The JPEG file could not be written; the disk may be full.";
constexpr char kJpegTaken[] = "A file of the JPEG's name is already there and stays as it is.";

std::string KeptBmpMessage(const std::string& reason, const std::string& bmpPath) {
    return "JPEG Encoding Error | " + reason + "\nThe shot is kept as " + bmpPath + " | 64";
}

class EncodeJpegTest : public ::testing::Test {
  protected:
    void Start() {
        worker = CreateEncodeJpeg(
            {queue, std::make_shared<EndWatch>(ending, ui), platform, [this] { OnHeadRemoved(); }});
    }
    void Queue(const std::string& path, const std::string& quality = "75") {
        Enqueue(queue, path, quality);
    }
    // What a shot does: the BMP is written, queued, and the worker woken.
    void Shoot(const std::string& path, const std::string& quality = "75") {
        platform->AddFile(path);
        Queue(path, quality);
        worker->Wake();
    }
    bool QueueIsEmpty() const { return paths.Count() == 0 && qualities.Count() == 0; }
    void Close() {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        StopEncodeJpegOnClose(paths, *worker, [this, deadline] {
            if (std::chrono::steady_clock::now() > deadline)
                throw std::runtime_error("close hangs");
            ++closePumps;
            duringClose();
            ui->RunNext(10ms);
        });
    }
    // Steps asked for after the close still need the UI thread, as in the program.
    bool PumpUntilEnded() {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (!ending->WaitFor(0ms)) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            ui->RunNext(10ms);
        }
        return true;
    }
    void CloseAndWait() {
        Close();
        ASSERT_TRUE(QueueIsEmpty());
        ASSERT_TRUE(PumpUntilEnded());
    }
    void TearDown() override {
        if (worker) {
            worker->RequestStop();
            worker->Wake();
            EXPECT_TRUE(PumpUntilEnded());
        }
        EXPECT_EQ(paths.ForeignTouches() + qualities.ForeignTouches(), 0);
    }
    void OnHeadRemoved() {
        lengthsAtClick.push_back(paths.Count());
        if (failClick) {
            failClick = false;
            throw std::runtime_error("folder is gone");
        }
    }

    UiThreadList paths, qualities;
    OwnQueueEntries own;
    ConversionQueue queue{paths, qualities, own};
    std::shared_ptr<FakeUiThread> ui = std::make_shared<FakeUiThread>();
    std::shared_ptr<FakePlatform> platform = std::make_shared<FakePlatform>();
    std::shared_ptr<EndWatch::Ending> ending = std::make_shared<EndWatch::Ending>();
    std::shared_ptr<WorkerSignal> worker;
    std::vector<std::size_t> lengthsAtClick;
    bool failClick = false;
    int closePumps = 0;
    std::function<void()> duringClose = [] {};
};

TEST_F(EncodeJpegTest, OneShotBecomesAJpegOfTheSameName) {
    Start();
    Shoot("D:\\Shots\\DH0001.bmp", "80");
    ASSERT_TRUE(ui->PumpUntil([this] { return QueueIsEmpty(); }));
    CloseAndWait();

    EXPECT_EQ(platform->Calls(),
              (std::vector<std::string>{"open", "load D:\\Shots\\DH0001.bmp",
                                        "save 80 D:\\Shots\\DH0001.jpg",
                                        "delete D:\\Shots\\DH0001.bmp", "free"}));
    EXPECT_EQ(platform->Files(), std::set<std::string>{"D:\\Shots\\DH0001.jpg"});
    EXPECT_EQ(lengthsAtClick, std::vector<std::size_t>{0});
    EXPECT_TRUE(platform->Messages().empty());
}

TEST_F(EncodeJpegTest, WindowHearsOfEachRemovalInQueueOrder) {
    Start();
    Shoot("a.bmp");
    Shoot("b.bmp");
    Shoot("c.bmp");
    ASSERT_TRUE(ui->PumpUntil([this] { return QueueIsEmpty(); }));
    CloseAndWait();

    EXPECT_EQ(lengthsAtClick, (std::vector<std::size_t>{2, 1, 0}));
    EXPECT_EQ(platform->Files(), (std::set<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
    EXPECT_EQ(platform->Saves(),
              (std::vector<std::string>{"save 75 a.jpg", "save 75 b.jpg", "save 75 c.jpg"}));
}

TEST_F(EncodeJpegTest, QualityTextIsReadAndOutOfRangeGivesDefault) {
    const std::vector<std::string> texts = {"0", "101", "-1", "", "abc", " +42x", "100", "5"};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        platform->AddFile(std::to_string(i) + ".bmp");
        Queue(std::to_string(i) + ".bmp", texts[i]);
    }
    Start();
    worker->Wake();
    CloseAndWait();

    EXPECT_EQ(platform->Saves(),
              (std::vector<std::string>{"save 0 0.jpg", "save 75 1.jpg", "save 75 2.jpg",
                                        "save 0 3.jpg", "save 0 4.jpg", "save 42 5.jpg",
                                        "save 100 6.jpg", "save 5 7.jpg"}));
}

TEST_F(EncodeJpegTest, MissingLibraryIsToldOncePerFileAndKeepsTheBmps) {
    platform->libraryPresent = false;
    Start();
    Shoot("a.bmp");
    Shoot("b.BMP");
    CloseAndWait();

    EXPECT_EQ(platform->Messages(), (std::vector<std::string>(2, kMissingLibraryMessage)));
    EXPECT_EQ(platform->Files(), (std::set<std::string>{"a.bmp", "b.BMP"}));
    EXPECT_EQ(lengthsAtClick, (std::vector<std::size_t>{1, 0}));
}

TEST_F(EncodeJpegTest, BmpDeletedBeforeItsTurnIsDroppedSilently) {
    Start();
    Queue("gone.bmp");
    worker->Wake();
    CloseAndWait();

    EXPECT_TRUE(platform->Calls().empty());
    EXPECT_TRUE(platform->Messages().empty());
    EXPECT_EQ(lengthsAtClick, std::vector<std::size_t>{0});
}

TEST_F(EncodeJpegTest, ExistingJpegIsNeitherOverwrittenNorLeftWithoutItsBmp) {
    platform->AddFile("a.jpg");
    Start();
    Shoot("a.bmp");
    CloseAndWait();

    EXPECT_TRUE(platform->Calls().empty());
    EXPECT_EQ(platform->Files(), (std::set<std::string>{"a.bmp", "a.jpg"}));
    EXPECT_EQ(platform->Messages(), std::vector<std::string>{KeptBmpMessage(kJpegTaken, "a.bmp")});
}

TEST_F(EncodeJpegTest, BmpStaysUnlessTheSaveWroteTheJpegAndTheMessageSaysWhy) {
    platform->unwritable = {"a.jpg"};
    platform->takenMeanwhile = {"b.jpg"};
    platform->unloadable = {"d.bmp"};
    Start();
    Shoot("a.bmp");
    Shoot("b.bmp");
    Shoot("c.bmp");
    Shoot("d.bmp");
    CloseAndWait();

    EXPECT_EQ(platform->Files(),
              (std::set<std::string>{"a.bmp", "b.bmp", "b.jpg", "c.jpg", "d.bmp"}));
    EXPECT_EQ(platform->Messages(),
              (std::vector<std::string>{KeptBmpMessage(kNotWritten, "a.bmp"),
                                        KeptBmpMessage(kJpegTaken, "b.bmp"),
                                        KeptBmpMessage(kUnreadable, "d.bmp")}));
}

TEST_F(EncodeJpegTest, LibraryWithoutItsEntryPointsIsToldPerFileAndKeepsTheBmps) {
    platform->entryPointsPresent = false;
    Start();
    Shoot("a.bmp");
    Shoot("b.bmp");
    CloseAndWait();

    EXPECT_EQ(platform->Files(), (std::set<std::string>{"a.bmp", "b.bmp"}));
    EXPECT_EQ(platform->Messages(),
              (std::vector<std::string>{KeptBmpMessage(kNoEntryPoints, "a.bmp"),
                                        KeptBmpMessage(kNoEntryPoints, "b.bmp")}));
}

// Lines another program adds to the list boxes, before, between and after ours, even one that
// repeats a shot already converted or comes to a sleeping worker just before the close: dropped,
// their files untouched, ours converted at our quality.
TEST_F(EncodeJpegTest, OnlyTheEntriesOfOurOwnShotsAreConverted) {
    auto addForeign = [this](const std::string& path, const std::string& quality = "5") {
        platform->AddFile(path);
        paths.Append(path);
        qualities.Append(quality);
    };
    addForeign("holiday.bmp");
    Start();
    Shoot("a.bmp");
    addForeign("letter.bmp");
    Shoot("b.bmp", "80");
    ASSERT_TRUE(ui->PumpUntil([this] { return QueueIsEmpty(); }));
    addForeign("a.bmp", "75");
    paths.Append("c.bmp");  // a path without its quality
    Shoot("d.bmp", "60");
    ASSERT_TRUE(ui->PumpUntil([this] { return QueueIsEmpty(); }));
    addForeign("e.bmp");  // with the worker asleep: the close still ends
    CloseAndWait();

    std::vector<std::string> saves;
    for (const std::string& call : platform->Calls()) {
        if (call.rfind("save", 0) == 0) saves.push_back(call);
    }
    EXPECT_EQ(saves, (std::vector<std::string>{"save 75 a.jpg", "save 80 b.jpg", "save 60 d.jpg"}));
    EXPECT_EQ(platform->Files(), (std::set<std::string>{"holiday.bmp", "letter.bmp", "a.bmp",
                                                        "a.jpg", "b.jpg", "d.jpg", "e.bmp"}));
    EXPECT_TRUE(platform->Messages().empty());
}

TEST_F(EncodeJpegTest, BmpStaysWhenTheLibraryReportsASaveButNoJpegIsThere) {
    platform->savedButMissing = {"a.jpg"};
    Start();
    Shoot("a.bmp");
    CloseAndWait();

    EXPECT_EQ(platform->Files(), std::set<std::string>{"a.bmp"});
}

TEST_F(EncodeJpegTest, FailingFileIsReportedAndTheQueueGoesOn) {
    platform->failingPath = "bad.bmp";
    Start();
    Shoot("bad.bmp");
    Shoot("good.bmp");
    CloseAndWait();

    EXPECT_EQ(platform->Messages(),
              std::vector<std::string>{"JPEG Encoding Error | drive not ready | 16"});
    EXPECT_EQ(platform->Files(), (std::set<std::string>{"bad.bmp", "good.jpg"}));
    EXPECT_EQ(lengthsAtClick, (std::vector<std::size_t>{1, 0}));
}

TEST_F(EncodeJpegTest, FailingWindowStepIsReportedAndTheQueueGoesOn) {
    failClick = true;
    Start();
    Shoot("a.bmp");
    Shoot("b.bmp");
    CloseAndWait();

    EXPECT_EQ(platform->Messages(),
              std::vector<std::string>{"JPEG Encoding Error | folder is gone | 16"});
    EXPECT_EQ(platform->Files(), (std::set<std::string>{"a.jpg", "b.jpg"}));
}

// The thread takes its priority there, so every conversion must run at it.
TEST_F(EncodeJpegTest, WorkerThreadIsSetUpOnceOnItselfBeforeItConverts) {
    Start();
    Shoot("a.bmp");
    Shoot("b.bmp");
    ASSERT_TRUE(ui->PumpUntil([this] { return QueueIsEmpty(); }));
    CloseAndWait();
    const std::vector<std::thread::id> starts = platform->StartThreads();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_NE(starts[0], std::this_thread::get_id());
    EXPECT_EQ(platform->CallThreads(), std::set<std::thread::id>{starts[0]});
    EXPECT_EQ(platform->CallsBeforeStart(), 0u);
}

TEST_F(EncodeJpegTest, NothingRunsBeforeTheFirstWakeUp) {
    Start();
    platform->AddFile("a.bmp");
    Queue("a.bmp");
    EXPECT_FALSE(ui->RunNext(100ms));
    worker->Wake();
    CloseAndWait();
    EXPECT_EQ(platform->Files(), std::set<std::string>{"a.jpg"});
}

// Each even round queues its shot right after the worker found the queue empty and before it
// can have gone to sleep; a lost wake-up leaves the shot waiting and the pump times out.
TEST_F(EncodeJpegTest, NoWakeUpIsLostWhileTheWorkerGoesToSleep) {
    constexpr int kRounds = 300;
    Start();
    for (int round = 0; round < kRounds; ++round) {
        Shoot(std::to_string(round) + ".bmp");
        ASSERT_TRUE(ui->PumpUntil([this] { return QueueIsEmpty(); })) << "round " << round;
        if (round % 2 == 0) {
            ASSERT_TRUE(ui->RunNext(kPatience));
        }
    }
    CloseAndWait();
    EXPECT_EQ(platform->Files().size(), static_cast<std::size_t>(kRounds));
    EXPECT_EQ(platform->Files().count("299.jpg"), 1u);
    EXPECT_EQ(lengthsAtClick.size(), static_cast<std::size_t>(kRounds));
}

TEST_F(EncodeJpegTest, CloseWaitsForTheQueueAndConvertsShotsTakenMeanwhile) {
    Start();
    Shoot("a.bmp");
    Shoot("b.bmp");
    Shoot("c.bmp");
    duringClose = [this] {
        if (lengthsAtClick.size() == 1 && paths.Count() == 2) Shoot("d.bmp");
    };
    Close();

    EXPECT_TRUE(QueueIsEmpty());
    EXPECT_EQ(platform->Files(), (std::set<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
    EXPECT_EQ(lengthsAtClick, (std::vector<std::size_t>{2, 2, 1, 0}));
    EXPECT_TRUE(PumpUntilEnded());
}

// The end of the session: the file in hand is finished, the rest stay queued as BMPs.
TEST_F(EncodeJpegTest, StopNowFinishesTheFileInHandAndLeavesTheRestQueued) {
    Start();
    Shoot("a.bmp");
    Shoot("b.bmp");
    Shoot("c.bmp");
    ASSERT_TRUE(ui->RunNext(kPatience));  // the worker has taken a.bmp
    StopEncodeJpegNow(*worker);
    EXPECT_TRUE(PumpUntilEnded());
    EXPECT_EQ(platform->Files(), (std::set<std::string>{"a.jpg", "b.bmp", "c.bmp"}));
    EXPECT_EQ(paths.Count(), 2u);
    EXPECT_EQ(qualities.Count(), 2u);
    Close();  // nor does a close wait for them once the worker is stopped
    EXPECT_EQ(paths.Count(), 2u);
}

TEST_F(EncodeJpegTest, CloseWithNothingQueuedEndsTheThreadAtOnce) {
    Start();
    Close();
    EXPECT_TRUE(ending->WaitFor(kPatience));
    EXPECT_EQ(closePumps, 0);
    EXPECT_EQ(ui->StepsRun(), 0);
}

TEST_F(EncodeJpegTest, EndedWorkerHasFreedItselfAndLaterWakeUpsAreHarmless) {
    Start();
    Shoot("a.bmp");
    CloseAndWait();
    // The thread's own references to the worker's parts went with the worker.
    EXPECT_EQ(platform.use_count(), 1);
    EXPECT_EQ(ui.use_count(), 1);

    const int steps = ui->StepsRun();
    worker->Wake();
    worker->RequestStop();
    worker->Wake();
    EXPECT_FALSE(ui->RunNext(100ms));
    EXPECT_EQ(ui->StepsRun(), steps);
}

TEST(JpegPathTest, LastThreeCharactersBecomeJpg) {
    EXPECT_EQ(JpegPathFor("D:\\Shots\\DH0045.bmp"), "D:\\Shots\\DH0045.jpg");
    EXPECT_EQ(JpegPathFor("D:\\Shots\\DH0045.BMP"), "D:\\Shots\\DH0045.jpg");
    EXPECT_EQ(JpegPathFor("D:\\Shots\\DH0045.tiff"), "D:\\Shots\\DH0045.tjpg");
    EXPECT_EQ(JpegPathFor("ab"), "jpg");
    // "é" is two bytes in UTF-8 and one character.
    EXPECT_EQ(JpegPathFor("D:\\Sn\xC3\xADmky\\a.b\xC3\xA9\xC3\xA9"), "D:\\Sn\xC3\xADmky\\a.jpg");
}

}  // namespace
}  // namespace dhsu
