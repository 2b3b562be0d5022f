#include "core/output_tree.h"

#include "core/errors.h"
#include "core/file_faults.h"
#include "core/folder_access.h"
#include "core/path_helpers.h"

namespace mw {
namespace {

constexpr const char* kLinkPrefix = "Symbolic link in the output folder: ";

// The last level of a relative path, and the folder levels before it.
std::pair<std::string_view, std::string> SplitLast(std::string_view relative)
{
    const auto last = relative.rfind(kNativeSeparator);
    if (last == std::string_view::npos)
        return {{}, std::string(relative)};
    return {relative.substr(0, last), std::string(relative.substr(last + 1))};
}

bool IsLink(const File& at, const std::string& name)
{
    try {
        return EntryIn(at, name, name).kind == EntryKind::Link;
    } catch (const IoError&) {
        return false;
    }
}

}  // namespace

OutputTree::OutputTree(std::string folder) : folder_(std::move(folder)) {}

OutputTree::OutputTree(std::string folder, File root) : folder_(std::move(folder)), root_(std::move(root)) {}

OutputTree OutputTree::Branch()
{
    return OutputTree(folder_, DuplicateOf(*Root(true)));
}

const File* OutputTree::Root(bool make)
{
    if (root_.IsOpen())
        return &root_;
    if (make)
        CreateFolders(folder_);
    else if (rootMissing_)
        return nullptr;
    if (const int err = OpenFolderByPath(folder_, root_)) {
        rootMissing_ = !make && IsMissingError(err);
        if (rootMissing_)
            return nullptr;
        ThrowSystemError(err, folder_);
    }
    return &root_;
}

const File* OutputTree::OpenFolder(std::string_view relative, bool make)
{
    if (relative.empty())
        return Root(make);
    if (held_.IsOpen() && relative == heldName_)
        return &held_;
    const File* root = Root(make);
    if (root == nullptr)
        return nullptr;
    File current;
    std::size_t start = 0;
    while (start < relative.size()) {
        std::size_t end = relative.find(kNativeSeparator, start);
        if (end == std::string_view::npos)
            end = relative.size();
        const std::string name(relative.substr(start, end - start));
        start = end + 1;
        if (name.empty())
            continue;
        const File& at = current.IsOpen() ? current : *root;
        File next;
        int err = OpenFolderIn(at, name, next);
        if (err != 0 && IsMissingError(err) && make) {
            MakeFolderIn(at, name);
            err = OpenFolderIn(at, name, next);
        }
        if (err != 0) {
            if (!make && IsMissingError(err) && !IsLink(at, name))
                return nullptr;
            // A missing folder on the way is "path not found", as for any open.
            ThrowFailure(at, name, relative.substr(0, end), IsMissingError(err) ? PathNotFoundCode() : err);
        }
        current = std::move(next);
    }
    if (!current.IsOpen())  // nothing but separators
        return root;
    held_ = std::move(current);
    heldName_ = relative;
    return &held_;
}

void OutputTree::ThrowFailure(const File& at, const std::string& name, std::string_view relative, int err) const
{
    if (IsLink(at, name))
        throw AppError(kLinkPrefix + PrintableText(PathOf(relative)));
    ThrowSystemError(err, PathOf(relative));
}

std::string OutputTree::PathOf(std::string_view relative) const
{
    std::string path = folder_;
    path += kNativeSeparator;
    path += relative;
    return path;
}

std::optional<FileIdentity> OutputTree::Existing(std::string_view relative)
{
    const auto [folderPart, name] = SplitLast(relative);
    const File* folder = OpenFolder(folderPart, false);
    if (folder == nullptr)
        return std::nullopt;
    const FolderEntry entry = EntryIn(*folder, name, PathOf(relative));
    if (entry.kind == EntryKind::Missing)
        return std::nullopt;
    if (entry.kind == EntryKind::Link)
        throw AppError(kLinkPrefix + PrintableText(PathOf(relative)));
    return entry.identity;
}

File OutputTree::Create(std::string_view relative)
{
    const auto [folderPart, name] = SplitLast(relative);
    const File& at = *OpenFolder(folderPart, true);
    if (int err = faults::Check(faults::Call::Open))
        ThrowSystemError(err, PathOf(relative));
    File created;
    if (const int err = CreateFileIn(at, name, PathOf(relative), created))
        ThrowFailure(at, name, relative, err);
    return created;
}

}  // namespace mw
