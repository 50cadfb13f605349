#pragma once
// The conversion queue: two parallel lists owned by the main window, BMP paths and JPEG
// qualities as decimal text, entry i of one belonging to entry i of the other. Only the UI
// thread touches them.

#include <cstddef>
#include <deque>
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

// A plain in-memory list, for hosts that keep the queue without controls.
class DequeStringList : public StringList {
  public:
    std::size_t Count() const override { return items_.size(); }
    std::string First() const override { return items_.front(); }
    void Append(const std::string& text) override { items_.push_back(text); }
    void RemoveFirst() override { items_.pop_front(); }
    const std::deque<std::string>& Items() const { return items_; }

  private:
    std::deque<std::string> items_;
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
