// The undo record's readers over arbitrary bytes: the summary alone, and the
// whole record read for choosing it and for undoing with it. Each either
// reads the record or refuses it as damaged, naming the file, and sizes
// nothing beyond what the file holds. What both readers take must agree.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/errors.h"
#include "core/file.h"
#include "fuzz/allocation_cap.h"
#include "fuzz/scratch_file.h"
#include "ops/undo_record.h"

namespace {

// Runs read; a refusal must name the record as damaged. False when refused.
template <typename Read>
bool ReadOrRefuse(const std::string& path, std::size_t size, Read read)
{
    bool done = false;
    mw::fuzz::WithinAllocationCap(size, [&] {
        try {
            read();
            done = true;
        } catch (const mw::AppError& error) {
            if (std::string(error.what()) != "Sorry but this undo record is damaged: " + path) {
                std::fprintf(stderr, "refused as: %s\n", error.what());
                std::abort();
            }
        }
    });
    return done;
}

bool SameSummary(const mw::UndoSummary& a, const mw::UndoSummary& b)
{
    return a.time == b.time && a.group == b.group && a.origin == b.origin && a.archive == b.archive &&
           a.source == b.source && a.replaced == b.replaced && a.appended == b.appended;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = mw::fuzz::ScratchFile(data, size);
    mw::UndoSummary summary;
    const bool summaryRead = ReadOrRefuse(path, size, [&] {
        mw::File file(path, mw::OpenMode::ReadOnly);
        summary = mw::ReadUndoSummary(file);
    });
    mw::OpenedUndoRecord head, whole;
    const bool headRead = ReadOrRefuse(path, size, [&] {
        head = mw::ReadUndoRecord(mw::File(path, mw::OpenMode::ReadOnly), mw::UndoRecordCheck::Head);
    });
    const bool wholeRead = ReadOrRefuse(path, size, [&] {
        whole = mw::ReadUndoRecord(mw::File(path, mw::OpenMode::ReadOnly), mw::UndoRecordCheck::Whole);
    });
    if (wholeRead) {
        // The names left out, from an updated directory of the length the
        // record gives it, or of none.
        std::vector<mw::WadEntry> after(static_cast<std::size_t>(std::min(whole.plan.afterCount, 512)));
        if (size % 2 == 0)
            after.clear();
        ReadOrRefuse(path, size, [&] { whole.TakeNames(after); });
    }
    // The whole record is read only where its head is, and the head only
    // where its summary is; both read the same summary and plan.
    if ((wholeRead && !headRead) || (headRead && !summaryRead))
        std::abort();
    if (headRead && !SameSummary(head.summary, summary))
        std::abort();
    if (headRead && wholeRead && (head.plan.pieces != whole.plan.pieces || head.storedAt != whole.storedAt))
        std::abort();
    return 0;
}
