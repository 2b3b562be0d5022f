// The little-endian byte forms of the files Mendwright writes for itself
// and reads back (undo records, the mods ledger): a writer, and a reader
// that refuses anything short or out of range before a table is sized by
// it, naming the file as damaged.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/file.h"
#include "core/text.h"

namespace mw {

class ByteWriter {
public:
    template <typename T>
    void Put(T value)
    {
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void PutText(std::string_view text)
    {
        Put(static_cast<std::uint32_t>(text.size()));
        bytes_.append(text);
    }
    void PutTexts(const std::vector<std::string>& texts)
    {
        Put(static_cast<std::uint64_t>(texts.size()));
        for (const std::string& text : texts)
            PutText(text);
    }
    void PutBytes(const void* data, std::size_t size) { bytes_.append(static_cast<const char*>(data), size); }
    const std::string& bytes() const { return bytes_; }
    std::string& bytes() { return bytes_; }

private:
    std::string bytes_;
};

// Reads what ByteWriter wrote: bytes in memory, or a block of a file read a
// bounded piece at a time. A length or count that the rest cannot hold, or
// a text longer than any path or name, is a damaged file, found before
// anything is sized by it: so the length a block claims is never
// allocated, and a table is never larger than a fixed multiple of the
// bytes the file holds for it.
class ByteReader {
public:
    // damaged: the refusal's text up to the file's name
    // ("Sorry but this undo record is damaged: ").
    ByteReader(std::string_view bytes, const std::string& path, const char* damaged)
        : bytes_(bytes), path_(path), damaged_(damaged)
    {
    }
    // The length bytes of file from at on.
    ByteReader(File& file, std::int64_t at, std::int64_t length, const char* damaged)
        : path_(file.Name()), damaged_(damaged), file_(&file), next_(at), end_(at + length)
    {
    }

    template <typename T>
    T Get()
    {
        T value;
        std::memcpy(&value, Take(sizeof value), sizeof value);
        return value;
    }
    bool GetFlag()
    {
        const auto flag = Get<std::uint8_t>();
        Check(flag <= 1);
        return flag == 1;
    }
    std::string GetText()
    {
        const auto size = Get<std::uint32_t>();
        Check(size <= kLongestText && size <= Left());
        std::string text;
        text.reserve(size);
        while (text.size() < size) {
            const std::size_t piece = std::min<std::size_t>(size - text.size(), kPieceSize);
            text.append(Take(piece), piece);
        }
        return text;
    }
    std::vector<std::string> GetTexts()
    {
        std::vector<std::string> texts(GetCount(sizeof(std::uint32_t)));
        for (std::string& text : texts)
            text = GetText();
        return texts;
    }
    // The next size bytes; from a file, at most a piece (64 KiB).
    const char* Take(std::size_t size)
    {
        Check(size <= Left());
        if (bytes_.size() - at_ < size)
            ReadMore();
        const char* data = bytes_.data() + at_;
        at_ += size;
        return data;
    }
    // A count of items of at least itemSize bytes each, which the rest must hold.
    std::size_t GetCount(std::size_t itemSize)
    {
        const auto count = Get<std::uint64_t>();
        Check(count <= Left() / itemSize);
        return static_cast<std::size_t>(count);
    }
    void Check(bool sound) const
    {
        if (!sound)
            throw AppError(damaged_ + PrintableText(path_));
    }
    bool AtEnd() const { return Left() == 0; }

private:
    static constexpr std::size_t kPieceSize = std::size_t{1} << 16;
    static constexpr std::size_t kLongestText = std::size_t{1} << 20;

    std::uint64_t Left() const { return static_cast<std::uint64_t>(end_ - next_) + (bytes_.size() - at_); }
    // The file's next piece behind what is left in hand.
    void ReadMore()
    {
        buffer_.erase(0, at_);
        at_ = 0;
        const std::size_t kept = buffer_.size();
        const auto more = static_cast<std::size_t>(std::min<std::int64_t>(end_ - next_, kPieceSize));
        buffer_.resize(kept + more);
        file_->Seek(next_);
        file_->Read(buffer_.data() + kept, more);
        next_ += static_cast<std::int64_t>(more);
        bytes_ = buffer_;
    }

    std::string_view bytes_;  // in hand
    const std::string& path_;
    std::string damaged_;
    std::size_t at_ = 0;
    File* file_ = nullptr;  // where the rest is read from
    std::string buffer_;    // what bytes_ views when read from a file
    std::int64_t next_ = 0;
    std::int64_t end_ = 0;
};

}  // namespace mw
