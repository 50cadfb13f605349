#pragma once
// The conversion queue: two parallel lists owned by the main window, BMP paths and JPEG
// qualities as decimal text, entry i of one belonging to entry i of the other. Only the UI
// thread touches them.

#include <cstddef>
#include <deque>
#include <optional>
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

struct QueueEntry {
    std::string path;
    std::string quality;
    bool operator==(const QueueEntry&) const = default;
};

// What our own shots appended, oldest first, kept in our memory: any program can add lines to
// the list boxes, and only a path found here is ours to convert and delete, at the quality
// recorded with it.
class OwnQueueEntries {
  public:
    void Add(QueueEntry entry);
    // Our entry of the path at the head of the list, if it is one of ours. It is then taken off
    // the record, together with any older one whose line someone else deleted from the list.
    std::optional<QueueEntry> Take(const std::string& headPath);

  private:
    std::deque<QueueEntry> entries_;
};

struct ConversionQueue {
    StringList& paths;
    StringList& qualities;
    OwnQueueEntries& own;
};

// A shot's entry: appended to both lists, and to the record of our own.
void Enqueue(ConversionQueue& queue, const std::string& path, const std::string& quality);
bool QueueIsEmpty(const ConversionQueue& queue);
std::string QueueHeadPath(const ConversionQueue& queue);  // empty when the path list is
void RemoveQueueHeadLines(ConversionQueue& queue);

// Both capture paths refuse to capture while this many files wait.
constexpr std::size_t kQueueLimit = 3;

inline bool QueueIsFull(const ConversionQueue& queue) {
    return queue.paths.Count() >= kQueueLimit;
}

}  // namespace dhsu
