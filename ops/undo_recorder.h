// The undo record an update keeps of each archive it rewrites. It is
// written, complete and flushed, once the new archive is complete and just
// before it takes the old one's place, and holds what that new archive
// must be (size, time, checksum); it is removed again when the new archive
// does not take its place, and one left by a process that died in between
// is recognised by the undo as the archive's state before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive_lock.h"
#include "core/wad.h"
#include "core/settings_store.h"
#include "ops/run_state.h"
#include "ops/undo_record.h"
#include "ops/undo_store.h"

namespace mw {

class UndoRecorder final : public BeforeCommit {
public:
    // Notes the archive as loaded into image: its directory and its stamp.
    // The record belongs to group and names source (as typed) as what the
    // change came from. Off, or with no undo folder in state, it keeps nothing.
    UndoRecorder(const RunState& state, const ArchiveLock& lock, const WadImage& image, std::uint64_t group,
                 const std::string& source, bool on);
    // The record of an archive that a create replaces with one of
    // writtenCount entries: the old archive kept whole (UndoStore::KeepWhole).
    // Where it can be neither linked nor copied within the cap, nothing is kept.
    UndoRecorder(const RunState& state, const ArchiveLock& lock, std::int32_t writtenCount, const std::string& source);
    ~UndoRecorder();
    UndoRecorder(const UndoRecorder&) = delete;
    UndoRecorder& operator=(const UndoRecorder&) = delete;

    void Replaced(std::string_view entry);
    void Appended(std::string_view entry);
    // What made the change, when it is not a plain update.
    void MadeBy(UndoOrigin origin) { summary_.origin = origin; }

    // For RebuildWad: null when nothing is kept.
    BeforeCommit* Hook() { return on_ ? this : nullptr; }
    // Writes the record of the archive written from the image.
    void Complete(File& written) override;
    // The new archive is in place: the record stays, and the store is
    // trimmed to its cap, which otherBytes (the mods' kept contents) share.
    // Nothing here fails: the update is done.
    void Keep(std::int64_t otherBytes = 0) noexcept;

private:
    UndoRecorder(const RunState& state, const ArchiveLock& lock, const WadImage* image, std::uint64_t group,
                 const std::string& source, bool on);
    // The plan of the archive written from the image, or of the archive kept
    // whole; nothing when it could not be kept.
    std::optional<UndoPlan> Plan(File& written);

    const RunState& state_;
    const ArchiveLock& lock_;
    const WadImage* image_;  // none: the archive is kept whole
    std::int32_t writtenCount_ = 0;
    bool on_;
    UndoSummary summary_;
    FileStamp before_;
    std::vector<WadEntry> loaded_;
    UndoRecordFile record_;
    bool written_ = false;
    bool kept_ = false;
};

// A group no record has yet.
std::uint64_t NewUndoGroup();

// The steps of an update package's series of calls, and a single call.
enum class PackageStep { Single, Start, Run, End };

// The auto-install mode's group, so that a package's whole run is undone as
// one: the "\Start" call makes one and keeps it in the settings
// ("UndoGroup"), the "\Run" and "\End" calls join it, and the "\End" call
// clears it. A single call has none of its own (0: the update makes one).
std::uint64_t PackageUndoGroup(SettingsStore& settings, PackageStep step);

}  // namespace mw
