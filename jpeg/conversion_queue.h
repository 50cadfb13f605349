#pragma once
// The conversion queue: two parallel lists owned by the main window, BMP paths and JPEG
// qualities as decimal text, entry i of one belonging to entry i of the other. Only the UI
// thread touches them.

#include <cstddef>
#include <string>

namespace dhsu {

class StringList {
  public:
    virtual ~StringList() = default;
    virtual std::size_t Count() const = 0;
    virtual std::string First() const = 0;  // only when Count() > 0
    virtual void Append(const std::string& text) = 0;
    virtual void RemoveFirst() = 0;  // only when Count() > 0
};

struct ConversionQueue {
    StringList& paths;
    StringList& qualities;
};

// Both capture paths refuse to capture while this many files wait.
constexpr std::size_t kQueueLimit = 3;

inline bool QueueIsFull(const ConversionQueue& queue) {
    return queue.paths.Count() >= kQueueLimit;
}

}  // namespace dhsu
