#pragma once
// A process-wide handler with a built-in default, for the few things the input controls do to the user
// outside their own window (a beep, a message box). Tests replace the handler to observe them instead.
#include <functional>
#include <utility>

template <typename... Args> class THook {
public:
    using Handler = std::function<void(Args...)>;

    explicit THook(Handler fallback) : fallback_(std::move(fallback)) {}

    // Installs a handler (an empty one restores the default) and returns the one it replaced.
    Handler Set(Handler handler) { return std::exchange(handler_, std::move(handler)); }

    void operator()(Args... args) const {
        if (handler_)
            handler_(args...);
        else
            fallback_(args...);
    }

private:
    Handler fallback_;
    Handler handler_;
};
