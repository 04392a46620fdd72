#include "cli/BatchPool.h"

#include <fcntl.h>  // F_SETPIPE_SZ
#include <poll.h>
#include <sched.h>     // sched_getaffinity
#include <sys/mman.h>  // mmap: the counter the workers share
#include <sys/wait.h>  // waitpid
#include <unistd.h>    // fork, pipe, read, write, _exit

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>  // memcpy, memmove, strsignal, strerror
#include <new>
#include <string>
#include <thread>

namespace connsheet {
namespace {

// A frame: the payload's length, the item's index, then the encoded result. The index stands outside
// the payload so that a result that arrives garbled is still put down to its item.
constexpr std::size_t kFrameHeader = 2 * sizeof(std::uint64_t);

// The run of items a worker has taken: [begin, end). Read by the parent only once the worker is gone.
struct Claim {
    std::atomic<std::uint64_t> begin{0};
    std::atomic<std::uint64_t> end{0};
};

// What the parent and its workers share, in a mapping they all see: the first item no worker has
// taken yet, and each worker's run.
class SharedCounter {
public:
    explicit SharedCounter(std::size_t workers) : size_(sizeof(Header) + workers * sizeof(Claim)) {
        void* memory = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) {
            memory_ = nullptr;
            return;
        }
        memory_ = memory;
        new (memory_) Header;
        for (std::size_t i = 0; i < workers; ++i)
            new (claims() + i) Claim;
    }
    ~SharedCounter() {
        if (memory_ != nullptr)
            ::munmap(memory_, size_);
    }
    SharedCounter(const SharedCounter&) = delete;
    SharedCounter& operator=(const SharedCounter&) = delete;

    bool valid() const { return memory_ != nullptr; }
    std::atomic<std::uint64_t>& next() { return static_cast<Header*>(memory_)->next; }
    Claim& claim(std::size_t worker) { return claims()[worker]; }

private:
    struct Header {
        alignas(64) std::atomic<std::uint64_t> next{0};
    };
    Claim* claims() { return reinterpret_cast<Claim*>(static_cast<char*>(memory_) + sizeof(Header)); }

    std::size_t size_;
    void* memory_ = nullptr;
};

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

struct WorkerPlan {
    std::size_t slot;                       // its claim in the shared counter
    std::size_t count;                      // the batch's items
    std::size_t runLength;                  // items taken at a time
    const std::vector<std::size_t>* share;  // items handed over before any run: what a dead worker left
};

[[noreturn]] void workerMain(int fd, const WorkerPlan& plan, SharedCounter& shared,
                             const BatchPoolCallbacks& callbacks) {
    std::string frame;
    auto send = [&](std::size_t index) {
        BatchResult result = callbacks.work(index);
        result.index = index;
        frame.assign(kFrameHeader, '\0');
        encodeBatchResult(result, frame);
        const std::uint64_t header[2] = {frame.size() - kFrameHeader, index};
        std::memcpy(frame.data(), header, sizeof header);
        if (!writeAll(fd, frame.data(), frame.size()))
            ::_exit(3);
    };
    for (std::size_t index : *plan.share)
        send(index);
    Claim& claim = shared.claim(plan.slot);
    for (;;) {
        const std::uint64_t begin = shared.next().fetch_add(plan.runLength);
        if (begin >= plan.count)
            break;
        const std::uint64_t end = std::min<std::uint64_t>(begin + plan.runLength, plan.count);
        claim.begin.store(begin);
        claim.end.store(end);
        for (std::uint64_t index = begin; index < end; ++index)
            send(static_cast<std::size_t>(index));
    }
    ::close(fd);
    ::_exit(0);
}

constexpr useconds_t kGatherMicroseconds = 1000;
constexpr std::size_t kReadChunk = 256 * 1024;
constexpr std::uint64_t kLargestRoom = std::uint64_t(64) << 20;

struct Worker {
    pid_t pid = -1;
    int fd = -1;
    std::vector<std::size_t> share;  // handed over at its start, done before it takes runs
    std::size_t shareDone = 0;       // how many of them have come back
    std::size_t received = 0;        // results since its start
    int fruitless = 0;               // starts in a row that ended without a result or a lost item
    std::string buffer;              // bytes read: [start, filled) not yet a whole frame
    std::size_t start = 0;
    std::size_t filled = 0;
};

bool startWorker(std::size_t slot, std::vector<Worker>& all, SharedCounter& shared, std::size_t count,
                 std::size_t runLength, const BatchPoolCallbacks& callbacks) {
    Worker& worker = all[slot];
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    // A larger pipe lets a worker go on while the parent gathers (results are a few KiB each); where
    // the system refuses, the usual size does.
    ::fcntl(fds[1], F_SETPIPE_SZ, 1 << 20);
    Claim& claim = shared.claim(slot);
    claim.begin.store(0);
    claim.end.store(0);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        ::close(fds[0]);
        // The other workers' pipes belong to the parent: holding them would hide those workers' ends.
        for (const Worker& other : all)
            if (other.fd >= 0)
                ::close(other.fd);
        const WorkerPlan plan{slot, count, runLength, &worker.share};
        workerMain(fds[1], plan, shared, callbacks);
    }
    ::close(fds[1]);
    worker.pid = pid;
    worker.fd = fds[0];
    worker.shareDone = 0;
    worker.received = 0;
    worker.buffer.clear();
    worker.start = worker.filled = 0;
    return true;
}

std::string howItDied(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        return "the worker was killed by signal " + std::to_string(signal) + " (" + ::strsignal(signal) + ")";
    }
    if (WIFEXITED(status))
        return "the worker exited with status " + std::to_string(WEXITSTATUS(status));
    return "the worker stopped";
}

}  // namespace

int availableCores() {
    cpu_set_t set;
    if (::sched_getaffinity(0, sizeof set, &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0)
            return count;
    }
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware > 0 ? static_cast<int>(hardware) : 1;
}

std::size_t batchRunLength(std::size_t count, std::size_t workers) {
    return std::clamp<std::size_t>(count / (std::max<std::size_t>(workers, 1) * 32), 1, 16);
}

std::vector<BatchResult> runBatchInWorkers(std::size_t count, int workers,
                                           const BatchPoolCallbacks& callbacks) {
    std::vector<BatchResult> results(count);
    if (count == 0)
        return results;
    const std::size_t processes =
        std::min<std::size_t>(count, static_cast<std::size_t>(std::max(1, workers)));
    const std::size_t runLength = batchRunLength(count, processes);
    std::vector<char> reported(count, 0);

    auto finish = [&](BatchResult& result) {
        const std::size_t index = result.index;
        reported[index] = 1;
        // Moved: a result carries a whole macro for JSON lines, and there are many thousand.
        results[index] = std::move(result);
        if (callbacks.done)
            callbacks.done(results[index]);
    };
    auto lose = [&](std::size_t index, const std::string& why) {
        BatchResult lost;
        lost.index = index;
        lost.status = BatchResult::Status::crashed;
        lost.problem = why;
        finish(lost);
    };

    SharedCounter shared(processes);
    if (!shared.valid()) {
        const std::string why = std::string("cannot start a worker: ") + std::strerror(errno);
        for (std::size_t i = 0; i < count; ++i)
            lose(i, why);
        return results;
    }
    std::vector<Worker> pool(processes);
    auto live = [&] {
        return std::any_of(pool.begin(), pool.end(), [](const Worker& w) { return w.fd >= 0; });
    };
    // Items no worker can be started for are not lost: each is reported, with why. When no worker is
    // left at all, that includes every item not taken yet.
    auto abandon = [&](Worker& worker, const std::string& why) {
        for (std::size_t index : worker.share)
            if (!reported[index])
                lose(index, why);
        worker.share.clear();
        if (live())
            return;
        for (std::uint64_t index = shared.next().exchange(count); index < count; ++index)
            lose(static_cast<std::size_t>(index), why);
    };
    auto start = [&](std::size_t slot) {
        if (!startWorker(slot, pool, shared, count, runLength, callbacks))
            abandon(pool[slot], std::string("cannot start a worker: ") + std::strerror(errno));
    };
    for (std::size_t slot = 0; slot < processes; ++slot)
        start(slot);

    // A frame for an item out of range or already done is a worker gone wrong: ignored, its item (if
    // any) is accounted for when the worker ends.
    auto take = [&](Worker& worker, std::uint64_t index, std::string_view bytes) {
        if (index >= count || reported[index])
            return;
        ++worker.received;
        if (worker.shareDone < worker.share.size() && worker.share[worker.shareDone] == index)
            ++worker.shareDone;
        BatchResult result;
        if (!decodeBatchResult(bytes, result) || result.index != index) {
            result = BatchResult{};
            result.status = BatchResult::Status::crashed;
            result.problem = "the worker sent a corrupt result";
        }
        result.index = static_cast<std::size_t>(index);
        finish(result);
    };
    // The worker is gone: the first item of its run that did not come back is the one it died on, the
    // rest of the run goes to a new worker.
    auto ended = [&](std::size_t slot, int status) {
        Worker& worker = pool[slot];
        std::vector<std::size_t> left;
        if (worker.shareDone < worker.share.size()) {
            left.assign(worker.share.begin() + static_cast<std::ptrdiff_t>(worker.shareDone),
                        worker.share.end());
        } else {
            const Claim& claim = shared.claim(slot);
            for (std::uint64_t index = claim.begin.load(); index < claim.end.load() && index < count; ++index)
                if (!reported[index])
                    left.push_back(static_cast<std::size_t>(index));
        }
        worker.fruitless = worker.received > 0 || !left.empty() ? 0 : worker.fruitless + 1;
        if (!left.empty()) {
            lose(left.front(), howItDied(status));
            left.erase(left.begin());
        }
        worker.share = std::move(left);
        // A worker that dies before doing anything, start after start, will not do better.
        if (worker.fruitless >= 3) {
            abandon(worker, howItDied(status));
            return;
        }
        if (!worker.share.empty() || shared.next().load() < count)
            start(slot);
    };

    std::vector<pollfd> fds;
    std::vector<std::size_t> polled;
    bool swept = false;
    for (;;) {
        fds.clear();
        polled.clear();
        for (std::size_t slot = 0; slot < pool.size(); ++slot) {
            if (pool[slot].fd < 0)
                continue;
            fds.push_back({pool[slot].fd, POLLIN, 0});
            polled.push_back(slot);
        }
        if (fds.empty()) {
            // Every worker is gone. An item is only missing when a worker died in the instant between
            // taking a run and saying which: one more worker does those.
            std::vector<std::size_t> missing;
            for (std::size_t i = 0; i < count; ++i)
                if (!reported[i])
                    missing.push_back(i);
            if (missing.empty())
                break;
            if (swept) {
                for (std::size_t index : missing)
                    lose(index, "the worker stopped before it reported this item");
                break;
            }
            swept = true;
            pool[0].share = std::move(missing);
            start(0);
            continue;
        }
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        // Results are small and come fast: reading each as it lands would keep the parent awake for
        // every one, taking a core's share from the workers. Letting them gather for a moment costs
        // a millisecond of latency and lets one read take many.
        ::usleep(kGatherMicroseconds);
        for (std::size_t p = 0; p < fds.size(); ++p) {
            if (fds[p].revents == 0)
                continue;
            Worker& worker = pool[polled[p]];
            // Read straight in behind what is there, the unread rest moved to the front first.
            if (worker.start > 0) {
                std::memmove(worker.buffer.data(), worker.buffer.data() + worker.start,
                             worker.filled - worker.start);
                worker.filled -= worker.start;
                worker.start = 0;
            }
            if (worker.buffer.size() < worker.filled + kReadChunk)
                worker.buffer.resize(worker.filled + kReadChunk);
            const ssize_t n =
                ::read(worker.fd, worker.buffer.data() + worker.filled, worker.buffer.size() - worker.filled);
            if (n < 0 && errno == EINTR)
                continue;
            if (n > 0) {
                worker.filled += static_cast<std::size_t>(n);
                for (;;) {
                    std::uint64_t header[2];
                    if (worker.filled - worker.start < kFrameHeader)
                        break;
                    std::memcpy(header, worker.buffer.data() + worker.start, sizeof header);
                    if (worker.filled - worker.start - kFrameHeader < header[0]) {
                        // A large frame: room for it whole at once (up to a sane size; beyond that the
                        // reads grow the buffer as the bytes come).
                        if (header[0] <= kLargestRoom &&
                            header[0] + kFrameHeader > worker.buffer.size() - worker.start)
                            worker.buffer.resize(worker.start + kFrameHeader + header[0]);
                        break;
                    }
                    const std::string_view bytes(worker.buffer.data() + worker.start + kFrameHeader,
                                                 header[0]);
                    worker.start += kFrameHeader + header[0];
                    take(worker, header[1], bytes);
                }
                continue;
            }
            // End of the pipe: the worker is gone, done or not.
            ::close(worker.fd);
            worker.fd = -1;
            int status = 0;
            while (::waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
            }
            ended(polled[p], status);
        }
    }
    return results;
}

}  // namespace connsheet
