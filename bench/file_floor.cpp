// The least that one file costs on a file system, as bench/run compares the
// cost per file of create and extract with: every folder of the one-byte
// tree read through (what listing the sources must do at the least); every
// file of it opened relative to its folder's descriptor, its byte read, and closed
// (what reading a source must do at the least); then as many files made
// relative to their folders' descriptors, one byte written to each (what
// writing an extracted file must do at the least). Given a FILE, also
// copies it whole into a new file in the kernel, in one call as the kernel
// allows, which is the least that moving that many bytes costs. Given a
// SOURCE tree too, packs it with only the calls that packing takes (list,
// open relative to the folder, copy to the end, close; the directory's room
// written last), the least that creating its archive costs this way.
// Prints the CPU time (user + system) of each pass in milliseconds.
//
// usage: bench_file_floor TREE SCRATCH [FILE [SOURCE]]
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

double CpuMilliseconds()
{
    rusage used {};
    ::getrusage(RUSAGE_SELF, &used);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
    return ms(used.ru_utime) + ms(used.ru_stime);
}

// The tree's folders, each with the names of the files in it.
std::vector<std::pair<fs::path, std::vector<std::string>>> Folders(const fs::path& tree)
{
    std::vector<std::pair<fs::path, std::vector<std::string>>> folders;
    for (const auto& entry : fs::recursive_directory_iterator(tree)) {
        if (!entry.is_directory())
            continue;
        std::vector<std::string> names;
        for (const auto& file : fs::directory_iterator(entry.path()))
            if (file.is_regular_file())
                names.push_back(file.path().filename().string());
        if (!names.empty())
            folders.emplace_back(entry.path(), std::move(names));
    }
    return folders;
}

// Every file below folder copied to its end onto out, opened relative to
// its folder as it is listed and closed after; returns the files packed.
std::size_t PackTree(const std::string& folder, int out)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return 0;
    std::size_t files = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (entry->d_type == DT_DIR) {
            files += PackTree(folder + "/" + name, out);
            continue;
        }
        const int fd = ::openat(::dirfd(dir), name.c_str(), O_RDONLY | O_CLOEXEC);
        ssize_t copied;
        while (fd >= 0 && (copied = ::copy_file_range(fd, nullptr, out, nullptr, std::size_t{1} << 30, 0)) > 0) {
        }
        if (fd >= 0)
            ::close(fd);
        ++files;
    }
    ::closedir(dir);
    return files;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: bench_file_floor TREE SCRATCH [FILE [SOURCE]]\n");
        return 64;
    }
    const auto folders = Folders(argv[1]);
    char byte = 0;

    // Every folder read through, as any packing of the tree must.
    double start = CpuMilliseconds();
    std::size_t listed = 0;
    for (const auto& folder : folders) {
        DIR* dir = ::opendir(folder.first.c_str());
        while (dir != nullptr && ::readdir(dir) != nullptr)
            ++listed;
        if (dir != nullptr)
            ::closedir(dir);
    }
    const double list = CpuMilliseconds() - start;
    if (listed == 0)
        return 1;

    start = CpuMilliseconds();
    for (const auto& [folder, names] : folders) {
        const int at = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        for (const std::string& name : names) {
            const int fd = ::openat(at, name.c_str(), O_RDONLY);
            if (fd < 0 || ::read(fd, &byte, 1) < 0)
                return 1;
            ::close(fd);
        }
        ::close(at);
    }
    const double read = CpuMilliseconds() - start;

    start = CpuMilliseconds();
    int made = 0;
    for (const auto& [folder, names] : folders) {
        const fs::path copy = fs::path(argv[2]) / std::to_string(made++);
        fs::create_directories(copy);
        const int at = ::open(copy.c_str(), O_RDONLY | O_DIRECTORY);
        for (const std::string& name : names) {
            const int fd = ::openat(at, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            if (fd < 0 || ::write(fd, &byte, 1) != 1)
                return 1;
            ::close(fd);
        }
        ::close(at);
    }
    const double write = CpuMilliseconds() - start;
    std::printf("list %.1f\nread %.1f\nwrite %.1f\n", list, read, write);
    if (argc >= 4) {
        const int in = ::open(argv[3], O_RDONLY);
        const int out = ::open((fs::path(argv[2]) / "bytes").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        start = CpuMilliseconds();
        ssize_t copied;
        while ((copied = ::copy_file_range(in, nullptr, out, nullptr, std::size_t{1} << 30, 0)) > 0) {
        }
        const double bytes = CpuMilliseconds() - start;
        if (in < 0 || out < 0 || copied < 0)
            return 1;
        ::close(out);
        ::close(in);
        std::printf("bytes %.1f\n", bytes);
    }
    if (argc == 5) {
        // The calls that packing SOURCE takes and nothing else: no names,
        // no checks, no temporary file; the directory's room left at the
        // front and written last.
        const int out = ::open((fs::path(argv[2]) / "pack").c_str(), O_RDWR | O_CREAT | O_TRUNC, 0666);
        start = CpuMilliseconds();
        const std::size_t files = PackTree(argv[4], out);
        std::vector<char> directory(4 + 136 * files);
        const bool written = ::pwrite(out, directory.data(), directory.size(), 0) == static_cast<ssize_t>(directory.size());
        ::fsync(out);
        const double pack = CpuMilliseconds() - start;
        ::close(out);
        if (out < 0 || files == 0 || !written)
            return 1;
        std::printf("pack %.1f\n", pack);
    }
    return 0;
}
