// Where the undo records live: below the store's folder, one folder per
// archive, named by a hash of the archive's canonical path, and in it one
// file per update, named by the update's time (nanoseconds since 1970, 20
// digits) and group (16 hexadecimal digits, 0 for none). The names sort an
// archive's records oldest first and tell the cap what to drop without
// reading a record. A record that keeps an archive whole has that archive
// beside it under the record's name with the kept extension.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/file.h"
#include "core/private_folder.h"
#include "ops/undo_record.h"

namespace mw {

// The most the records take together unless the run sets another cap.
inline constexpr std::int64_t kDefaultUndoCap = std::int64_t{1} << 30;

// The user's store: "mendwright/undo" in the user's data folder; empty
// when the environment names no data folder.
std::string DefaultUndoFolder();

// The path by which the records know an archive: absolute, links resolved.
std::string CanonicalArchivePath(const std::string& archive);

struct UndoRecordFile {
    std::string folder;  // its archive's folder in the store
    std::string name;
    std::string path;  // in the store's folder, as messages name it
    std::int64_t time = 0;
    std::uint64_t group = 0;
    std::int64_t bytes = 0;  // with the archive it keeps whole, if any
};

// The store keeps to its own folder, which is the user's alone
// (core/private_folder.h): a link inside it, where a record or an
// archive's folder would be, is no record and is never followed. Only
// names the store gives are read or removed; anything else is left alone.
class UndoStore {
public:
    UndoStore(std::string folder, std::int64_t cap) : folder_(std::move(folder)), cap_(cap) {}

    // An archive's records, newest first.
    std::vector<UndoRecordFile> RecordsOf(const std::string& canonicalArchive) const;
    // The records of a group, of every archive.
    std::vector<UndoRecordFile> RecordsOfGroup(std::uint64_t group) const;

    // Opens a record for reading; a failure raises the IoError naming it.
    File Open(const UndoRecordFile& record) const;
    // The record read (ops/undo_record.h), and its summary alone.
    OpenedUndoRecord Read(const UndoRecordFile& record, UndoRecordCheck check) const;
    UndoSummary ReadSummary(const UndoRecordFile& record) const;

    // Where a new record of the archive goes, named by time or, when the
    // archive has a record that is not older, just after that one. Its
    // folder is made, and records left half-written there are removed: the
    // caller holds the archive's lock, so no other process writes there. A
    // record named for the last time a name can carry leaves no name after
    // it: it raises the AppError naming it as damaged.
    UndoRecordFile NewRecord(const std::string& canonicalArchive, std::int64_t time, std::uint64_t group) const;
    // Writes the record with write, into a file of its own that takes the
    // record's name only once write returns; a failure leaves no file.
    void Write(const UndoRecordFile& record, const std::function<void(File&)>& write) const;

    // Drops the oldest records, a group at a time, until they and
    // otherBytes (the mods' kept contents, which share the cap) take at most
    // the cap; the record at keep and its group stay whatever they take.
    // What cannot be removed stays: the store is only tidied.
    void Trim(const std::string& keep, std::uint64_t keepGroup, std::int64_t otherBytes = 0) const;

    // Every record of the store.
    std::vector<UndoRecordFile> AllRecords() const;

    // Keeps archive whole beside the record about to be written: a hard
    // link where the store's file system allows, else a copy when the
    // archive alone fits within the cap. The checksum of the bytes kept;
    // nothing when it was not kept. Done before the record is written: one
    // whose record never comes is removed as the next record is made.
    std::optional<std::uint64_t> KeepWhole(const UndoRecordFile& record, File& archive) const;

    // Removes a record, and the archive it keeps; one that is gone already is no error.
    void Remove(const UndoRecordFile& record) const noexcept;

private:
    PrivateFolder ArchiveFolder(const std::string& name) const;
    std::vector<UndoRecordFile> RecordsIn(const PrivateFolder& folder, const std::string& name) const;

    std::string folder_;
    std::int64_t cap_;
};

}  // namespace mw
