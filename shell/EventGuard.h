#pragma once
// Every event handler of every window runs inside guarded(): an error that escapes it ends the
// handler and reaches the general error report instead of the toolkit's event loop.
#include <QObject>
#include <QString>
#include <exception>
#include <type_traits>
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

// Connects signal of sender to handler, which runs inside the guard; handler takes all of the
// signal's arguments or none.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, Prompts& prompts,
                                       Handler handler)
{
    return QObject::connect(sender, signal, context, [&prompts, handler](auto&&... arguments) {
        guarded(prompts, [&] {
            if constexpr (std::is_invocable_v<const Handler&, decltype(arguments)...>)
                handler(arguments...);
            else
                handler();
        });
    });
}

}  // namespace quillmap
