#include "core/payload.h"

#include "core/errors.h"
#include "core/file.h"

namespace mw {

Payload::Payload(std::string bytes) : bytes_(std::move(bytes)), size_(static_cast<std::int64_t>(bytes_.size())) {}

Payload Payload::Stretch(std::shared_ptr<const std::string> file, std::int64_t offset, std::int64_t size)
{
    Payload payload;
    payload.file_ = std::move(file);
    payload.offset_ = offset;
    payload.size_ = size;
    return payload;
}

Payload Payload::Stretch(std::shared_ptr<File> opened, std::shared_ptr<const std::string> file,
                         std::int64_t offset, std::int64_t size)
{
    Payload payload = Stretch(std::move(file), offset, size);
    payload.opened_ = std::move(opened);
    return payload;
}

std::string Payload::Load() const
{
    if (!IsStretch())
        return bytes_;
    std::string bytes(static_cast<std::size_t>(size_), '\0');
    if (opened_) {
        opened_->Seek(offset_);
        opened_->Read(bytes.data(), bytes.size());
        return bytes;
    }
    File source(*file_, OpenMode::ReadOnly);
    source.Seek(offset_);
    source.Read(bytes.data(), bytes.size());
    source.Close();
    return bytes;
}

}  // namespace mw
