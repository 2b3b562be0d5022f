// The little-endian byte forms of the files Mendwright writes for itself
// and reads back (undo records, the mods ledger): a writer, and a reader
// that refuses anything short or out of range before a table is sized by
// it, naming the file as damaged.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/path_helpers.h"

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

class ByteReader {
public:
    // damaged: the refusal's text up to the file's name
    // ("Sorry but this undo record is damaged: ").
    ByteReader(std::string_view bytes, const std::string& path, const char* damaged)
        : bytes_(bytes), path_(path), damaged_(damaged)
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
        return std::string(Take(size), size);
    }
    std::vector<std::string> GetTexts()
    {
        std::vector<std::string> texts(GetCount(sizeof(std::uint32_t)));
        for (std::string& text : texts)
            text = GetText();
        return texts;
    }
    const char* Take(std::size_t size)
    {
        Check(size <= bytes_.size() - at_);
        const char* data = bytes_.data() + at_;
        at_ += size;
        return data;
    }
    // A count of items of at least itemSize bytes each, which the rest must hold.
    std::size_t GetCount(std::size_t itemSize)
    {
        const auto count = Get<std::uint64_t>();
        Check(count <= (bytes_.size() - at_) / itemSize);
        return static_cast<std::size_t>(count);
    }
    void Check(bool sound) const
    {
        if (!sound)
            throw AppError(damaged_ + PrintableText(path_));
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    std::string_view bytes_;
    const std::string& path_;
    std::string damaged_;
    std::size_t at_ = 0;
};

}  // namespace mw
