#include "cli/BatchPool.h"

#include <poll.h>
#include <sched.h>     // sched_getaffinity
#include <sys/wait.h>  // waitpid
#include <unistd.h>    // fork, pipe, read, write, _exit

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>  // memcpy, strsignal
#include <string>
#include <thread>

namespace connsheet {
namespace {

// Whole frames: an 8-byte length, then the encoded result.
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

[[noreturn]] void workerMain(int fd, const std::vector<std::size_t>& share,
                             const BatchPoolCallbacks& callbacks) {
    std::string frame;
    for (std::size_t index : share) {
        BatchResult result = callbacks.work(index);
        result.index = index;
        const std::string bytes = encodeBatchResult(result);
        const std::uint64_t size = bytes.size();
        frame.assign(reinterpret_cast<const char*>(&size), sizeof size);
        frame += bytes;
        if (!writeAll(fd, frame.data(), frame.size()))
            ::_exit(3);
    }
    ::close(fd);
    ::_exit(0);
}

constexpr useconds_t kGatherMicroseconds = 1000;

struct Worker {
    pid_t pid = -1;
    int fd = -1;
    std::vector<std::size_t> share;  // the items it was given, in the order it does them
    std::size_t reported = 0;        // how many of them have come back
    std::string buffer;              // bytes read but not yet a whole frame
};

bool startWorker(Worker& worker, std::vector<Worker>& all, const BatchPoolCallbacks& callbacks) {
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
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
        workerMain(fds[1], worker.share, callbacks);
    }
    ::close(fds[1]);
    worker.pid = pid;
    worker.fd = fds[0];
    worker.reported = 0;
    worker.buffer.clear();
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

std::vector<BatchResult> runBatchInWorkers(std::size_t count, int workers,
                                           const BatchPoolCallbacks& callbacks) {
    std::vector<BatchResult> results(count);
    if (count == 0)
        return results;
    const std::size_t processes =
        std::min<std::size_t>(count, static_cast<std::size_t>(std::max(1, workers)));

    std::vector<Worker> pool(processes);
    for (std::size_t i = 0; i < count; ++i)
        pool[i % processes].share.push_back(i);

    auto finish = [&](BatchResult& result) {
        // Moved: a result carries a whole macro for JSON lines, and there are many thousand.
        results[result.index] = std::move(result);
        if (callbacks.done)
            callbacks.done(results[result.index]);
    };
    // An item that no worker could be started for is not lost: it is reported, with why.
    auto abandon = [&](Worker& worker, std::size_t from, const std::string& why) {
        for (std::size_t k = from; k < worker.share.size(); ++k) {
            BatchResult lost;
            lost.index = worker.share[k];
            lost.status = BatchResult::Status::crashed;
            lost.problem = why;
            finish(lost);
        }
        worker.share.clear();
    };

    for (Worker& worker : pool)
        if (!startWorker(worker, pool, callbacks))
            abandon(worker, 0, std::string("cannot start a worker: ") + std::strerror(errno));

    std::vector<pollfd> fds;
    std::vector<Worker*> polled;
    char chunk[65536];
    for (;;) {
        fds.clear();
        polled.clear();
        for (Worker& worker : pool) {
            if (worker.fd < 0)
                continue;
            fds.push_back({worker.fd, POLLIN, 0});
            polled.push_back(&worker);
        }
        if (fds.empty())
            break;
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        // Results are small and come fast: reading each as it lands would keep the parent awake for
        // every one, taking a core's share from the workers. Letting them gather for a moment costs
        // a millisecond of latency and lets one read take many (the pipe holds well over that).
        ::usleep(kGatherMicroseconds);
        for (std::size_t p = 0; p < fds.size(); ++p) {
            if (fds[p].revents == 0)
                continue;
            Worker& worker = *polled[p];
            const ssize_t n = ::read(worker.fd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n > 0) {
                worker.buffer.append(chunk, static_cast<std::size_t>(n));
                std::size_t at = 0;
                for (;;) {
                    std::uint64_t size = 0;
                    if (worker.buffer.size() - at < sizeof size)
                        break;
                    std::memcpy(&size, worker.buffer.data() + at, sizeof size);
                    if (worker.buffer.size() - at - sizeof size < size)
                        break;
                    if (worker.reported >= worker.share.size())
                        break;  // more than it was given: ignored
                    BatchResult result;
                    const std::string_view bytes(worker.buffer.data() + at + sizeof size, size);
                    at += sizeof size + size;
                    const std::size_t expected = worker.share[worker.reported];
                    if (!decodeBatchResult(bytes, result) || result.index != expected) {
                        result = BatchResult{};
                        result.index = expected;
                        result.status = BatchResult::Status::crashed;
                        result.problem = "the worker sent a corrupt result";
                    }
                    ++worker.reported;
                    finish(result);
                }
                worker.buffer.erase(0, at);
                continue;
            }
            // End of the pipe: the worker is gone, done or not.
            ::close(worker.fd);
            worker.fd = -1;
            int status = 0;
            while (::waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
            }
            if (worker.reported >= worker.share.size())
                continue;
            BatchResult crashed;
            crashed.index = worker.share[worker.reported];
            crashed.status = BatchResult::Status::crashed;
            crashed.problem = howItDied(status);
            finish(crashed);
            // A new worker takes over what is left of the share.
            worker.share.erase(worker.share.begin(),
                               worker.share.begin() + static_cast<std::ptrdiff_t>(worker.reported + 1));
            if (worker.share.empty())
                continue;
            if (!startWorker(worker, pool, callbacks))
                abandon(worker, 0, std::string("cannot start a worker: ") + std::strerror(errno));
        }
    }
    return results;
}

}  // namespace connsheet
