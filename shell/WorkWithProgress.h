#pragma once
// Long work on a thread of its own behind the progress dialog, so that the window keeps drawing
// itself and the dialog answers at once, however long one step of the work takes.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <future>
#include <memory>

#include "shell/Platform.h"

namespace quillmap {

// What the work calls as it goes: done of total so far; false once the user has cancelled.
using ProgressReport = std::function<bool(std::size_t done, std::size_t total)>;

// Runs work(report), which returns a std::optional, with the dialog showing text. The result is
// empty when the user cancelled, even when the work had just finished.
template <typename Work>
auto runWithProgress(Prompts& prompts, const QString& text, Work work)
{
    const std::unique_ptr<Progress> progress = prompts.showProgress(text);
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> total{0};
    std::atomic<bool> stop{false};
    const ProgressReport report = [&](std::size_t workDone, std::size_t workTotal) {
        done = workDone;
        total = workTotal;
        return !stop;
    };
    auto running = std::async(std::launch::async, [&] { return work(report); });
    do {
        if (!stop && !progress->update(static_cast<qint64>(done.load()), static_cast<qint64>(total.load())))
            stop = true;
    } while (running.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready);
    auto result = running.get();
    if (stop) result.reset();
    return result;
}

}  // namespace quillmap
