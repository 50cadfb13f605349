#pragma once
// The conversion worker: takes the queue's head on the UI thread, turns the BMP into a JPEG on
// its own thread, and removes the head on the UI thread again, until the queue is empty; then it
// sleeps until a shot wakes it.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "jpeg/conversion_queue.h"

namespace dhsu {

// How the worker reaches the UI thread: the queue and the window live there.
class UiDispatcher {
  public:
    virtual ~UiDispatcher() = default;
    // Runs the step on the UI thread and returns when it has finished. An exception the step
    // throws is raised again here, on the calling thread.
    virtual void RunOnUiThread(const std::function<void()>& step) = 0;
};

// The outside JPEG library, loaded for one conversion and released when destroyed.
class JpegLibrary {
  public:
    virtual ~JpegLibrary() = default;
    // False when the library lacks an entry point it converts with.
    virtual bool HasEntryPoints() const = 0;
    // False when the library could not take the picture: unreadable, or beyond its limits.
    virtual bool Load(const std::string& bmpPath) = 0;
    // False when the library reports that it wrote no JPEG.
    virtual bool SaveAsJpg(int quality, const std::string& jpegPath) = 0;
};

// What a conversion needs from the system: the shot files, the JPEG library, a message box.
class ConversionPlatform {
  public:
    virtual ~ConversionPlatform() = default;
    // Called once on the worker's own thread as it starts, before it waits for the first
    // wake-up: where the thread takes the priority it converts at.
    virtual void WorkerThreadStarted() = 0;
    // A file, not a folder, has that path.
    virtual bool IsFile(const std::string& path) const = 0;
    virtual void RemoveFile(const std::string& path) = 0;
    // Nothing when the library cannot be found.
    virtual std::unique_ptr<JpegLibrary> OpenJpegLibrary() = 0;
    // A modal message box shown from the worker thread; returns when it is dismissed. `flags`
    // are those of a Windows message box.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             unsigned flags) = 0;
};

// The wake-up and the stop request between the window and the worker. Both hold it, so a wake-up
// given after the worker has freed itself touches nothing freed.
class WorkerSignal {
  public:
    // The window's side. Resumes the worker if it sleeps; if it runs, its next sleep returns at
    // once.
    void Wake();
    void RequestStop();

    // The worker's side.
    bool StopRequested() const;
    // Returns at once when woken since the last return, so a wake-up that comes between finding
    // the queue empty and going to sleep is not lost.
    void SleepUntilWoken();

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool wakePending_ = false;
    bool stopRequested_ = false;
};

struct EncodeJpegSetup {
    ConversionQueue queue;  // touched only on the UI thread
    std::shared_ptr<UiDispatcher> ui;
    std::shared_ptr<ConversionPlatform> platform;
    std::function<void()> onHeadRemoved;  // the path list's click handler, run on the UI thread
};

// Starts the worker's thread, which waits for the first wake-up before it looks at the queue.
// The thread owns the worker and frees it, setup and all, when it stops; the caller keeps the
// signal.
std::shared_ptr<WorkerSignal> CreateEncodeJpeg(EncodeJpegSetup setup);

// Closing: handle messages until the queue is empty, so that every shot queued meanwhile is
// converted too, then have the worker stop. Does not wait for the thread, nor for a queue that a
// worker stopped already will never empty.
void StopEncodeJpegOnClose(const StringList& paths, WorkerSignal& worker,
                           const std::function<void()>& handleMessages);
// The end of the session, when the process is about to be ended: the worker finishes the file in
// hand and stops; the files still queued stay BMPs. Waits for nothing.
void StopEncodeJpegNow(WorkerSignal& worker);

// The path without its last three characters, followed by "jpg", whatever those were.
std::string JpegPathFor(const std::string& bmpPath);

}  // namespace dhsu
