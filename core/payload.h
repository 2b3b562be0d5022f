// The bytes of one archive entry: held in memory, or a stretch of a file on
// disk (an archive's payload area, a source file) that the writer copies
// straight into the new archive. Stretches keep an update from loading a
// whole archive into memory to write most of it back unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace mw {

class File;

class Payload {
public:
    Payload() = default;
    Payload(std::string bytes);  // NOLINT(google-explicit-constructor): bytes are a payload
    Payload(const char* bytes) : Payload(std::string(bytes)) {}  // NOLINT(google-explicit-constructor)

    // size bytes of file from offset on, read when the archive is written.
    static Payload Stretch(std::shared_ptr<const std::string> file, std::int64_t offset, std::int64_t size);
    // The same, read through a file that is already open (an archive being
    // rewritten), so the bytes come from that file even when another file
    // takes its name meanwhile; file names it in messages.
    static Payload Stretch(std::shared_ptr<File> opened, std::shared_ptr<const std::string> file,
                           std::int64_t offset, std::int64_t size);

    bool IsStretch() const { return file_ != nullptr; }
    std::int64_t size() const { return size_; }
    const std::string& bytes() const { return bytes_; }  // held bytes; empty for a stretch
    const std::string& file() const { return *file_; }
    File* opened() const { return opened_.get(); }  // null when the file is opened by its name
    std::int64_t offset() const { return offset_; }

    // The bytes, read from the file for a stretch.
    std::string Load() const;

    friend bool operator==(const Payload& payload, const std::string& bytes) { return payload.Load() == bytes; }

private:
    std::string bytes_;
    std::shared_ptr<const std::string> file_;
    std::shared_ptr<File> opened_;
    std::int64_t offset_ = 0;
    std::int64_t size_ = 0;
};

}  // namespace mw
