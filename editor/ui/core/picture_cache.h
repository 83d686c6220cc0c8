#pragma once

// Decoded pictures by file, so that a repaint does not read and decode a
// legend picture again. An entry keeps the picture together with the
// modification time and size its file had when it was read; a lookup that
// finds the file changed reads it again, one that finds it gone drops the
// entry. What the loader gives for a file, a null image included, is kept,
// so a file that is not a picture is not read on every repaint either.
// Bounded by entries and by the bytes of the pictures kept: the least
// recently used go first, and a picture larger than the whole budget is
// handed out without being kept.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>

#include <QHash>
#include <QImage>
#include <QString>

namespace keyui {

// Every key of a keyboard can show a picture of its own.
inline constexpr std::size_t kMaxCachedPictures = 256;
inline constexpr qsizetype kMaxCachedPictureBytes = qsizetype{64} * 1024 * 1024;

// What identifies one version of a file's contents.
struct FileStamp {
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t size = 0;
    std::uint64_t inode = 0;  // a file replaced by a rename is a new file
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class PictureCache {
public:
    using Loader = std::function<QImage(const QString& path)>;

    PictureCache() = default;
    PictureCache(std::size_t maxEntries, qsizetype maxBytes) : maxEntries_(maxEntries), maxBytes_(maxBytes) {}
    // The index holds iterators into the list: a move takes both along, a
    // copy could not.
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;
    PictureCache(PictureCache&&) = default;
    PictureCache& operator=(PictureCache&&) = default;

    // The picture of the file at `path` as `load` gives it, read only when
    // no entry holds the file as it is now; a null image when the file is gone.
    QImage picture(const QString& path, const Loader& load);

    std::size_t entryCount() const { return entries_.size(); }
    qsizetype byteCount() const { return bytes_; }

private:
    struct Entry {
        QString path;
        FileStamp stamp;
        QImage image;
    };
    using Entries = std::list<Entry>;  // most recently used first

    void drop(Entries::iterator entry);
    void keep(Entry entry);

    std::size_t maxEntries_ = kMaxCachedPictures;
    qsizetype maxBytes_ = kMaxCachedPictureBytes;
    Entries entries_;
    QHash<QString, Entries::iterator> byPath_;
    qsizetype bytes_ = 0;
};

}  // namespace keyui
