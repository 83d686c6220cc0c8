#include "editor/ui/core/picture_cache.h"

#include <sys/stat.h>

#include <iterator>
#include <optional>

#include <QFile>

namespace keyui {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

// One stat call: cheaper than reading the file by far, so every lookup can
// afford it.
std::optional<FileStamp> stampOf(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(status.st_mtim.tv_sec) * kNanosecondsPerSecond + status.st_mtim.tv_nsec,
                     static_cast<std::int64_t>(status.st_size), static_cast<std::uint64_t>(status.st_ino)};
}

}  // namespace

QImage PictureCache::picture(const QString& path, const Loader& load) {
    const auto found = byPath_.find(path);
    const std::optional<FileStamp> stamp = stampOf(path);
    if (found != byPath_.end()) {
        const Entries::iterator entry = found.value();
        if (stamp && entry->stamp == *stamp) {
            entries_.splice(entries_.begin(), entries_, entry);
            return entry->image;
        }
        drop(entry);
    }
    if (!stamp) return {};
    QImage image = load(path);
    keep(Entry{path, *stamp, image});
    return image;
}

void PictureCache::drop(Entries::iterator entry) {
    bytes_ -= entry->image.sizeInBytes();
    byPath_.remove(entry->path);
    entries_.erase(entry);
}

void PictureCache::keep(Entry entry) {
    const qsizetype size = entry.image.sizeInBytes();
    if (size > maxBytes_ || maxEntries_ == 0) return;
    while (!entries_.empty() && (entries_.size() >= maxEntries_ || bytes_ + size > maxBytes_))
        drop(std::prev(entries_.end()));
    entries_.push_front(std::move(entry));
    byPath_.insert(entries_.front().path, entries_.begin());
    bytes_ += size;
}

}  // namespace keyui
