#include "core/output_tree.h"

#include "core/errors.h"
#include "core/file_faults.h"
#include "core/folder_access.h"
#include "core/path_helpers.h"

namespace mw {
namespace {

// Why what stands at a path below the output folder may not be written
// through, or null for a file or a folder.
const char* RefusalFor(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Link: return kLinkInOutputText;
    case EntryKind::Other: return kNodeInOutputText;
    default: return nullptr;
    }
}

// The last level of a relative path, and the folder levels before it.
std::pair<std::string_view, std::string> SplitLast(std::string_view relative)
{
    const auto last = relative.rfind(kNativeSeparator);
    if (last == std::string_view::npos)
        return {{}, std::string(relative)};
    return {relative.substr(0, last), std::string(relative.substr(last + 1))};
}

const char* RefusalAt(const File& at, const std::string& name)
{
    try {
        return RefusalFor(EntryIn(at, name, name).kind);
    } catch (const IoError&) {
        return nullptr;
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
    // Where a level could not be made, the system's reason is the one to
    // give, not the missing folder that the open then finds.
    std::string unmade;
    int makeErr = 0;
    if (make)
        makeErr = CreateFolders(folder_, unmade);
    else if (rootMissing_)
        return nullptr;
    if (const int err = OpenFolderByPath(folder_, root_)) {
        rootMissing_ = !make && IsMissingError(err);
        if (rootMissing_)
            return nullptr;
        if (makeErr != 0 && IsMissingError(err))
            ThrowSystemError(makeErr, unmade, Access::Create);
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
    File folder;
    if (const auto failure = Walk(*root, relative, make, folder)) {
        const bool absent = IsMissingError(failure->err);
        if (!make && absent && RefusalAt(*failure->at, failure->name) == nullptr)
            return nullptr;
        // A missing folder on the way is "path not found", as for any open.
        ThrowFailure(*failure->at, failure->name, failure->relative, absent ? PathNotFoundCode() : failure->err,
                     failure->access);
    }
    if (!folder.IsOpen())  // nothing but separators
        return root;
    held_ = std::move(folder);
    heldName_ = relative;
    return &held_;
}

std::optional<OutputTree::WalkFailure> OutputTree::Walk(const File& root, std::string_view relative, bool make,
                                                        File& folder) const
{
    std::size_t start = 0;
    while (start < relative.size()) {
        std::size_t end = relative.find(kNativeSeparator, start);
        if (end == std::string_view::npos)
            end = relative.size();
        std::string name(relative.substr(start, end - start));
        start = end + 1;
        if (name.empty())
            continue;
        const File& at = folder.IsOpen() ? folder : root;
        File next;
        int err = OpenFolderIn(at, name, next);
        Access access = Access::Unknown;
        if (err != 0 && IsMissingError(err) && make) {
            const int makeErr = MakeFolderIn(at, name);
            err = OpenFolderIn(at, name, next);
            if (makeErr != 0 && IsMissingError(err)) {
                err = makeErr;  // why it is missing
                access = Access::Create;
            }
        }
        if (err != 0)
            return WalkFailure{&at, std::move(name), relative.substr(0, end), err, access};
        folder = std::move(next);
    }
    return std::nullopt;
}

std::optional<FileIdentity> OutputTree::FolderIdentity(std::string_view relative)
{
    const File* root = Root(true);
    File folder;
    if (Walk(*root, relative, true, folder))
        return std::nullopt;
    return IdentityOf(folder.IsOpen() ? folder : *root);
}

void OutputTree::ThrowFailure(const File& at, const std::string& name, std::string_view relative, int err,
                              Access access) const
{
    if (IsLinkMetError(err))
        throw AppError(kLinkInOutputText, PathOf(relative));
    if (const char* refusal = RefusalAt(at, name))
        throw AppError(refusal, PathOf(relative));
    ThrowSystemError(err, PathOf(relative), access);
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
    if (const char* refusal = RefusalFor(entry.kind))
        throw AppError(refusal, PathOf(relative));
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
