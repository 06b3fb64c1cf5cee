#include <memory>
#include <string>

#include "measure/FolderSizeWalker.h"

// The listing of a folder on the helpers, a batch of entries at a time.
namespace measure {

namespace {

// Entries of a listing read at a time, and how many such batches may wait for the caller:
// enough to keep every helper busy, little memory however wide the folder.
constexpr std::size_t kListingBatch = 512;
constexpr std::size_t kMostListedAhead = 64;

} // namespace

void FolderSizeWalker::List(int fd) {
    std::lock_guard lock(m_mutex);
    m_listing = Listing();
    m_listing.fd = fd;
    m_listing.reader = std::make_unique<platform::FolderReader>(fd);
    m_listingComplete = true;
    QueueRead();
}

const ListedBatch* FolderSizeWalker::NextListed(platform::Meanwhile& meanwhile) {
    std::unique_lock lock(m_mutex);
    m_listing.handed.reset();
    QueueRead();
    for (;;) {
        if (!m_listing.read.empty() && m_listing.read.front()->statusRead) {
            m_listing.handed = std::move(m_listing.read.front());
            m_listing.read.pop_front();
            QueueRead();
            return m_listing.handed.get();
        }
        if (m_listing.read.empty() && m_listing.ended) {
            return nullptr;
        }
        AwaitResult(lock, meanwhile);
    }
}

// Reads the listing's next batch, puts the reading of its entries' status in line, and the
// next read after it while the caller is not too far behind.
void FolderSizeWalker::ReadListing() {
    std::unique_ptr<ListedBatch> batch = ReadBatch();
    std::lock_guard lock(m_mutex);
    if (batch->entries.size() < kListingBatch) {
        m_listing.ended = true;
        m_listingComplete = m_listing.reader->Error() == 0; // a listing that fails half way
        m_done.notify_one();
    }
    if (!batch->entries.empty()) {
        m_quick.push_back(QuickTask{nullptr, {}, NameBatch(), batch.get()});
        ++m_quickQueued;
        m_listing.read.push_back(std::move(batch));
        WakeHelper();
    }
    m_listing.reading = false;
    QueueRead();
}

// Up to kListingBatch entries, their folders put in line as they are read.
std::unique_ptr<ListedBatch> FolderSizeWalker::ReadBatch() {
    auto batch = std::make_unique<ListedBatch>();
    platform::FolderReader& reader = *m_listing.reader;
    while (batch->entries.size() < kListingBatch && reader.Next()) {
        if (reader.IsSelfOrParent()) {
            continue;
        }
        ListedEntry& entry = batch->entries.emplace_back();
        entry.nameAt = static_cast<std::uint32_t>(batch->names.size());
        entry.nameLength = static_cast<std::uint32_t>(reader.Name().size());
        batch->names.append(reader.Name());
        batch->names.push_back('\0');
        entry.inLine = reader.IsFolder();
        if (entry.inLine) {
            Add(m_listing.fd, std::string(reader.Name()));
        }
    }
    return batch;
}

void FolderSizeWalker::StatListed(ListedBatch& batch) const {
    platform::EntryStatus status;
    for (ListedEntry& entry : batch.entries) {
        entry.listed =
            platform::StatEntry(m_listing.fd, batch.names.c_str() + entry.nameAt, status);
        entry.size = status.size;
        entry.writeTime = status.writeTime;
        batch.complete = batch.complete && (entry.listed || errno == ENOENT);
    }
}

// Puts the listing's next read in line unless one is, the listing has ended or the caller is too
// far behind. Called with m_mutex held.
void FolderSizeWalker::QueueRead() {
    if (m_listing.reader && !m_listing.reading && !m_listing.ended &&
        m_listing.read.size() < kMostListedAhead) {
        m_listing.reading = true;
        m_quick.push_back(QuickTask());
        ++m_quickQueued;
        WakeHelper();
    }
}

} // namespace measure
