#pragma once

#include <cerrno>
#include <cstdint>
#include <string>

#include "measure/BatchSizes.h"
#include "measure/FolderSizeWalker.h"
#include "measure/NameBatch.h"
#include "measure/SharedFolder.h"
#include "measure/WaitSampler.h"
#include "platform/FolderVisitor.h"

namespace measure {

// Adds up the files of the folders one walk reads, and offers their sub-folders to idle helpers.
class FolderSizeWalker::SizeVisitor : public platform::FolderVisitor {
public:
    // Entries whose status one thread reads before it offers the rest of a wide folder to
    // others, and that it hands another at a time: a few hundred status reads outweigh a
    // hand-off by far.
    static constexpr std::size_t kStatusBatch = 512;
    // Deeper sub-trees stay with the thread that reached them: a hand-off copies the route to
    // them, and a long chain offers nothing to share.
    static constexpr std::size_t kDeepestHandOff = 64;

    SizeVisitor(FolderSizeWalker& walker, Measurement& of, WaitSampler& sampler,
                platform::Meanwhile* meanwhile)
        : m_walker(walker), m_of(of), m_sampler(sampler), m_meanwhile(meanwhile) {}

    Keep Listed(const platform::FolderReader& entry) override {
        if (entry.IsTypedFolder()) {
            return Keep::AsFolder;
        }
        if (entry.IsTypedData()) {
            // Read in batches, which idle helpers may take: a wide folder is read on every core.
            m_pending.Add(entry.Name());
            if (m_pending.Count() == kStatusBatch) {
                HandOffOrRead(entry.FolderFd());
            }
            return Keep::No;
        }
        platform::EntryStatus status;
        if (!entry.MayHoldData()) {
            return Keep::No; // FIFOs, sockets and devices hold no file data
        }
        if (!entry.Status(status)) {
            m_complete = m_complete && errno == ENOENT; // gone since it was listed
            return Keep::No;
        }
        if (status.isFolder) {
            return Keep::AsFolder;
        }
        m_sum += status.size;
        return Keep::No;
    }
    void ListedAll(int folderFd) override {
        AddSizes(folderFd, m_pending, m_sum, m_complete);
        m_pending.Clear();
        m_shared.Reset();
    }
    platform::WalkStep Visit(int, const platform::KeptEntry&) override {
        if (m_meanwhile) {
            m_meanwhile->RunIfDue(); // the calling thread walks: no helper would start
        }
        m_walker.RunQuickTask(); // a listing's batch may wait for it
        if (m_sampler.FolderEntered()) {
            m_walker.WakeDiskHelpers();
        }
        return platform::WalkStep::Enter;
    }
    bool MayTakeOver(std::size_t depth) override {
        return depth <= kDeepestHandOff && m_walker.MayHandOff();
    }
    bool TakeOver(platform::FileDescriptor& fd, platform::WalkRoute route) override {
        return m_walker.TryHandOff(m_of, fd, std::move(route));
    }
    platform::WalkStep NotEntered(int, const std::string&, int error, bool) override {
        m_complete = m_complete && IsWhatTheTreeHolds(error);
        return platform::WalkStep::Next;
    }
    platform::WalkStep Unreadable(const std::string&, int) override {
        m_complete = false;
        return platform::WalkStep::Next;
    }

    std::uint64_t Sum() const { return m_sum; }
    bool Complete() const { return m_complete; }

private:
    // Hands a full batch to an idle helper, or reads it here.
    void HandOffOrRead(int folderFd) {
        if (!m_shared && m_walker.MayHandOffStatus()) {
            m_shared = m_walker.ShareFolder(folderFd);
        }
        if (!m_shared || !m_walker.TryHandOffStatus(m_of, m_shared, m_pending)) {
            AddSizes(folderFd, m_pending, m_sum, m_complete);
        }
        m_pending.Clear();
    }

    // Why a folder is not walked into that lies in the tree itself and leaves nothing out: it is
    // a link, a file, gone, not permitted to be read, a mount point, or moved meanwhile.
    static bool IsWhatTheTreeHolds(int error) {
        return error == ELOOP || error == ENOTDIR || error == ENOENT || error == EACCES ||
               error == EPERM || error == EXDEV || error == ESTALE;
    }

    FolderSizeWalker& m_walker;
    Measurement& m_of;
    WaitSampler& m_sampler;
    platform::Meanwhile* m_meanwhile; // the caller's, when the caller walks
    std::uint64_t m_sum = 0;
    bool m_complete = true;
    NameBatch m_pending;   // of the folder being read
    SharedFolder m_shared; // that folder, for the helpers' reads
};

} // namespace measure
