#include "measure/FolderSizeWalker.h"

#include <dirent.h>
#include <fcntl.h>

#include <string>

#include "platform/DirectoryReader.h"
#include "platform/EntryStatus.h"

namespace measure {

namespace {

// Descriptors a walking thread keeps open on its way down; deeper folders are reopened from
// below through "..", so a tree of any depth needs no more than this many.
constexpr std::size_t kOpenWindow = 64;

// Sub-trees waiting for a thread; each holds one open descriptor.
constexpr int kMaxQueued = 8;

bool IsListed(std::string_view name) {
    return !name.empty() && name.front() != '.';
}

} // namespace

struct FolderSizeWalker::Frame {
    platform::FileDescriptor fd; // closed while outside the open window
    std::shared_ptr<Ancestry> node;
    std::vector<std::string> subfolders;
    std::size_t next = 0;
    bool lost = false; // could not be reopened as the same folder: its rest is left out
};

FolderSizeWalker::FolderSizeWalker(unsigned threads) {
    for (unsigned i = 1; i < threads; ++i) {
        m_helpers.emplace_back([this] { RunHelper(); });
    }
}

FolderSizeWalker::~FolderSizeWalker() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& helper : m_helpers) {
        helper.join();
    }
}

std::uint64_t FolderSizeWalker::GetFolderSize(int parentFd, const char* name) {
    platform::EntryStatus parent;
    if (!platform::StatDescriptor(parentFd, parent)) {
        return 0;
    }
    platform::FileDescriptor fd = platform::OpenFolder(parentFd, name);
    platform::EntryStatus self;
    if (!fd.valid() || !platform::StatDescriptor(fd.get(), self)) {
        return 0;
    }
    if (self.device != parent.device || (self.inode == parent.inode)) {
        return 0;
    }
    m_device = parent.device;
    m_sharedSum = 0;
    auto root = std::make_shared<Ancestry>(parent.device, parent.inode, nullptr);
    auto node = std::make_shared<Ancestry>(self.device, self.inode, std::move(root));
    std::uint64_t sum = WalkTree(Task{std::move(fd), std::move(node)});
    FinishTasks();
    return sum + m_sharedSum.load();
}

void FolderSizeWalker::RunHelper() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_waiting;
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        --m_waiting;
        if (m_stopping) {
            return;
        }
        Task task = std::move(m_queue.front());
        m_queue.pop_front();
        --m_queued;
        lock.unlock();
        m_sharedSum += WalkTree(std::move(task));
        lock.lock();
        if (--m_outstanding == 0) {
            m_wake.notify_all();
        }
    }
}

void FolderSizeWalker::FinishTasks() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (!m_queue.empty()) {
            Task task = std::move(m_queue.front());
            m_queue.pop_front();
            --m_queued;
            lock.unlock();
            m_sharedSum += WalkTree(std::move(task));
            lock.lock();
            --m_outstanding;
            continue;
        }
        if (m_outstanding == 0) {
            return;
        }
        ++m_waiting;
        m_wake.wait(lock, [this] { return !m_queue.empty() || m_outstanding == 0; });
        --m_waiting;
    }
}

bool FolderSizeWalker::TryHandOff(platform::FileDescriptor& fd, std::shared_ptr<Ancestry>& node) {
    if (m_helpers.empty() || m_queued.load(std::memory_order_relaxed) >= kMaxQueued) {
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_queue.push_back(Task{std::move(fd), std::move(node)});
    ++m_queued;
    ++m_outstanding;
    if (m_waiting > 0) {
        m_wake.notify_one();
    }
    return true;
}

namespace {

// Adds the files of one folder to sum and lists its sub-folders for the walk.
void ReadFolder(int fd, std::vector<std::string>& subfolders, std::uint64_t& sum) {
    platform::DirectoryReader reader(fd);
    platform::DirectoryEntry entry;
    while (reader.next(entry)) {
        if (!IsListed(entry.name)) {
            continue;
        }
        if (entry.type == DT_DIR) {
            subfolders.emplace_back(entry.name);
            continue;
        }
        if (entry.type != DT_REG && entry.type != DT_LNK && entry.type != DT_UNKNOWN) {
            continue; // FIFOs, sockets and devices hold no file data
        }
        platform::EntryStatus status;
        // The name is a NUL-terminated record of the reader's buffer.
        if (!platform::StatEntry(fd, entry.name.data(), status)) {
            continue; // gone since it was listed
        }
        if (status.isFolder) {
            subfolders.emplace_back(entry.name);
        } else {
            sum += status.size;
        }
    }
}

} // namespace

std::uint64_t FolderSizeWalker::WalkTree(Task task) {
    std::uint64_t sum = 0;
    std::vector<Frame> stack;
    stack.push_back(Frame{std::move(task.fd), std::move(task.node), {}, 0, false});
    ReadFolder(stack.back().fd.get(), stack.back().subfolders, sum);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.lost || top.next == top.subfolders.size()) {
            LeaveFolder(stack);
            continue;
        }
        EnterSubfolder(top, stack, sum);
    }
    return sum;
}

bool FolderSizeWalker::EnterSubfolder(Frame& parent, std::vector<Frame>& stack,
                                      std::uint64_t& sum) {
    const std::string& name = parent.subfolders[parent.next++];
    platform::FileDescriptor fd = platform::OpenFolder(parent.fd.get(), name.c_str());
    platform::EntryStatus status;
    if (!fd.valid() || !platform::StatDescriptor(fd.get(), status)) {
        return false;
    }
    // Another file system's mount point, or a folder that would lead back to itself.
    if (status.device != m_device || parent.node->Contains(status.device, status.inode)) {
        return false;
    }
    auto node = std::make_shared<Ancestry>(status.device, status.inode, parent.node);
    if (TryHandOff(fd, node)) {
        return true;
    }
    stack.push_back(Frame{std::move(fd), std::move(node), {}, 0, false});
    ReadFolder(stack.back().fd.get(), stack.back().subfolders, sum);
    if (stack.size() > kOpenWindow) {
        stack[stack.size() - 1 - kOpenWindow].fd.reset();
    }
    return true;
}

void FolderSizeWalker::LeaveFolder(std::vector<Frame>& stack) {
    Frame done = std::move(stack.back());
    stack.pop_back();
    if (stack.empty()) {
        return;
    }
    Frame& parent = stack.back();
    if (parent.fd.valid() || parent.lost) {
        return;
    }
    // The parent's descriptor was closed to bound the open ones: step back up through ".."
    // and make sure it is still the same folder, or leave the rest of it out.
    platform::EntryStatus status;
    platform::FileDescriptor up;
    if (done.fd.valid()) {
        up.reset(::openat(done.fd.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    if (up.valid() && platform::StatDescriptor(up.get(), status) &&
        parent.node->Is(status.device, status.inode)) {
        parent.fd = std::move(up);
    } else {
        parent.lost = true;
    }
}

} // namespace measure
