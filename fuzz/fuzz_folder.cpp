#include "fuzz/fuzz_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace mw::fuzz {

FuzzFolder::FuzzFolder(const std::string& what)
{
    std::string pattern = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : fs::temp_directory_path().string()) +
                          "/mendwright-fuzz-" + what + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    path_ = pattern;
}

FuzzFolder::~FuzzFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

bool Plant(const fs::path& at, Planted kind, const std::string& bytes, const fs::path& target)
{
    std::error_code error;
    switch (kind) {
    case Planted::File: {
        if (fs::exists(fs::symlink_status(at)))
            return false;
        std::ofstream out(at, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    }
    case Planted::Folder: return fs::create_directory(at, error);
    case Planted::LinkToFile:
    case Planted::LinkToFolder: fs::create_symlink(target, at, error); return !error;
    case Planted::LinkToNothing: fs::create_symlink(target / "missing", at, error); return !error;
    case Planted::Fifo: return ::mkfifo(at.c_str(), 0600) == 0;
    case Planted::Count: break;
    }
    return false;
}

std::map<std::string, std::string> TreeOf(const fs::path& folder)
{
    std::map<std::string, std::string> tree;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        const fs::file_status status = it->symlink_status();
        std::string& what = tree[it->path().lexically_relative(folder).string()];
        if (fs::is_symlink(status))
            what = "link to " + fs::read_symlink(it->path()).string();
        else if (fs::is_regular_file(status))
            what = "file " + FileBytes(it->path());
        else
            what = fs::is_directory(status) ? "folder" : "other";
    }
    return tree;
}

void PutFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::abort();
}

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace mw::fuzz
