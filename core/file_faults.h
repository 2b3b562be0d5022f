// A seam in the file layer that makes the n-th call of one kind fail with a
// chosen errno, so that tests can reproduce a full disk or a vanished file
// without a real one. Inactive unless a test arms it.
#pragma once

namespace mw::faults {

// UnnamedTemporary: the archive writer finds no unnamed temporary files.
// KernelCopy fails the copy between two files in the kernel, as a pair of
// file systems that cannot copy between them does. List fails the reading
// of a folder's names, as a folder the user may not read does.
enum class Call { Open, Read, Write, Seek, Close, Sync, Rename, UnnamedTemporary, KernelCopy, List };

// The nth call of that kind from now on (1 = the next one) fails with err.
void Arm(Call call, int nth, int err);
// Disarms every fault.
void Clear();
// Returns the errno to fail with when this call must fail, else 0.
int Check(Call call);

}  // namespace mw::faults
