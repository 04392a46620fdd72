#pragma once
// Runs a batch's items in forked worker processes. The workers take the items in small runs of
// consecutive ones, each the next run not yet taken, so a worker that is quicker or has easier items
// does more and all finish together. Each result goes through the worker's pipe as it is done. A
// worker that dies (a crash, an abort, a kill) costs only the item it was on: that item is reported as
// crashed and a new worker takes over the rest of its run.
#include <cstddef>
#include <functional>
#include <vector>

#include "cli/BatchResult.h"

namespace connsheet {

struct BatchPoolCallbacks {
    // In a worker: does item `index` and returns its result. Runs in the child process only, so it may
    // keep caches (a parsed sheet) from one item to the next.
    std::function<BatchResult(std::size_t index)> work;
    // In the parent, once per item as its result arrives (any order).
    std::function<void(const BatchResult& result)> done;
};

// Runs items 0..count-1 in at most `workers` processes (at least one) and returns the results in item
// order. Flush every stream before calling: a worker leaves with _exit and never flushes the parent's
// buffers.
std::vector<BatchResult> runBatchInWorkers(std::size_t count, int workers,
                                           const BatchPoolCallbacks& callbacks);

// How many consecutive items a worker takes at a time: enough that taking them costs nothing, few
// enough that the workers end within an item or two of each other.
std::size_t batchRunLength(std::size_t count, std::size_t workers);

// The number of cores this process may run on (at least 1).
int availableCores();

}  // namespace connsheet
