#include "jpeg/conversion_queue.h"

#include <algorithm>
#include <utility>

namespace dhsu {

void OwnQueueEntries::Add(QueueEntry entry) {
    entries_.push_back(std::move(entry));
}

std::optional<QueueEntry> OwnQueueEntries::Take(const std::string& headPath) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const QueueEntry& entry) {
        return entry.path == headPath;
    });
    if (found == entries_.end()) return std::nullopt;
    QueueEntry taken = std::move(*found);
    entries_.erase(entries_.begin(), found + 1);
    return taken;
}

void Enqueue(ConversionQueue& queue, const std::string& path, const std::string& quality) {
    queue.paths.Append(path);
    queue.qualities.Append(quality);
    queue.own.Add({path, quality});
}

bool QueueIsEmpty(const ConversionQueue& queue) {
    return queue.paths.Count() == 0 && queue.qualities.Count() == 0;
}

std::string QueueHeadPath(const ConversionQueue& queue) {
    return queue.paths.Count() > 0 ? queue.paths.First() : std::string();
}

void RemoveQueueHeadLines(ConversionQueue& queue) {
    if (queue.paths.Count() > 0) queue.paths.RemoveFirst();
    if (queue.qualities.Count() > 0) queue.qualities.RemoveFirst();
}

}  // namespace dhsu
