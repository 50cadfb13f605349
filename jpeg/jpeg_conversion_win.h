#pragma once
// The JPEG conversion as the main window runs it: the queue over its two hidden list boxes, the
// record of our own entries, and the worker that empties it.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "jpeg/conversion_queue.h"
#include "jpeg/encode_jpeg_win.h"
#include "jpeg/list_box_strings_win.h"

namespace dhsu {

class JpegConversion {
  public:
    JpegConversion() = default;
    JpegConversion(const JpegConversion&) = delete;
    JpegConversion& operator=(const JpegConversion&) = delete;

    // The list boxes the queue lives in: BMP paths, and JPEG qualities as decimal text.
    void Attach(HWND pathList, HWND qualityList);
    // Starts the worker; its steps reach `window` as a sent message, and `onHeadRemoved` runs on
    // the UI thread each time it takes a file off the queue.
    void Start(HWND window, std::function<void()> onHeadRemoved);
    // The window's procedure asks this before anything else: true for a worker's step, run here.
    bool HandleWorkerStep(UINT message, WPARAM wParam);

    // A full queue refuses shots. It may hold lines another program added, which only the
    // worker drops, so the worker is woken. (A forged message may come before it exists.)
    bool RefusesShots();
    // A shot's BMP, to be converted at `quality`.
    void Add(const std::string& path, std::int16_t quality);
    std::size_t WaitingCount() const { return paths_.Count(); }

    // Closing: `handleMessages` runs until every file queued is converted, then the worker stops.
    void StopOnClose(const std::function<void()>& handleMessages);
    // The end of the session: the worker stops after the file in hand; the rest stay BMPs.
    void StopNow();

  private:
    ListBoxStrings paths_;
    ListBoxStrings qualities_;
    OwnQueueEntries own_;
    ConversionQueue queue_{paths_, qualities_, own_};
    std::shared_ptr<win::WorkerStepMessage> steps_;  // shared with the worker
    std::shared_ptr<WorkerSignal> worker_;           // the worker frees itself; this is its handle
};

}  // namespace dhsu
