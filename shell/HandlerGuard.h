#pragma once
#include <QString>
#include <exception>

#include "app/ErrorReport.h"
#include "app/Platform.h"

namespace quillmap {

// Runs one event handler. An error it raises ends the handler and goes to the general error
// report (with its full stop) instead of reaching the event loop.
template <class Handler>
void runGuarded(Prompts& prompts, Handler&& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        prompts.error(QString::fromLocal8Bit(withFullStop(e.what())));
    }
}

}  // namespace quillmap
