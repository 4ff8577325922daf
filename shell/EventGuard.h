#pragma once
// Every event handler of every window runs inside guarded(): an error that escapes it ends the
// handler and reaches the general error report instead of the toolkit's event loop.
#include <QString>
#include <exception>
#include <utility>

#include "text/Error.h"
#include "text/ErrorReport.h"
#include "shell/Platform.h"

namespace quillmap {

inline void reportError(Prompts& prompts, const std::string& text)
{
    prompts.error(QString::fromStdString(reportText(text)));
}

template <typename Handler>
void guarded(Prompts& prompts, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const Error& e) {
        reportError(prompts, e.what());
    } catch (const std::exception& e) {
        reportError(prompts, e.what());
    } catch (...) {
        reportError(prompts, "Unexpected error");
    }
}

}  // namespace quillmap
