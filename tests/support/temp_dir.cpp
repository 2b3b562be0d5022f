#include "tests/support/temp_dir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "core/path_helpers.h"
#include "core/wad.h"

namespace fs = std::filesystem;

namespace mw::test {

TempDir::~TempDir()
{
    std::error_code ignored;
    // Restore write permission that a test may have taken away, then remove.
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        if (!it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& relative, const std::string& bytes) const
{
    const std::string full = *this / relative;
    fs::create_directories(fs::path(full).parent_path());
    WriteBytes(full, bytes);
    return full;
}

std::string TempDir::MakeFolder(const std::string& relative) const
{
    const std::string full = *this / relative;
    fs::create_directories(full);
    return full;
}

std::vector<std::string> TempDir::Names() const
{
    return DirectoryOrder(path_);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    // One read of the whole length: the tests read archives of tens of MiB.
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot read " + path);
    return bytes;
}

std::string BytesOnceTheyHold(const std::string& path, const std::string& text)
{
    for (int tries = 0; tries < 1000; ++tries) {
        const std::string bytes = Exists(path) ? ReadBytes(path) : std::string();
        if (bytes.find(text) != std::string::npos)
            return bytes;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path)
{
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

std::vector<std::string> TemporaryFiles(const std::string& folder)
{
    std::vector<std::string> found;
    for (const std::string& name : DirectoryOrder(folder))
        if (name.find(kTemporaryMarker) != std::string::npos)
            found.push_back(name);
    return found;
}

std::string LittleEndian32(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xff);
    return bytes;
}

std::string DirectoryBytes(std::int32_t count, const std::vector<RawEntry>& entries)
{
    std::string bytes = LittleEndian32(count);
    for (const RawEntry& entry : entries) {
        std::string field = entry.nameField;
        field.resize(128, '\0');
        bytes += field + LittleEndian32(entry.offset) + LittleEndian32(entry.size);
    }
    return bytes;
}

std::string DirectoryBytes(const std::vector<RawEntry>& entries)
{
    return DirectoryBytes(static_cast<std::int32_t>(entries.size()), entries);
}

std::string ContiguousArchive(const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::vector<RawEntry> records;
    std::string payloads;
    auto offset = static_cast<std::int32_t>(4 + 136 * entries.size());
    for (const auto& [name, payload] : entries) {
        records.push_back({name, offset, static_cast<std::int32_t>(payload.size())});
        offset += static_cast<std::int32_t>(payload.size());
        payloads += payload;
    }
    return DirectoryBytes(records) + payloads;
}

}  // namespace mw::test

namespace mw::test {

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace mw::test

