#pragma once
// A window that a command opens, as the main window holds it: given outright, or made by its owner when
// a command first asks for it (the program builds its dialogs on first use, so start-up builds only
// what it shows). Empty: the command has no window and does nothing.
#include <cstddef>
#include <functional>
#include <utility>

template <class T> class TWindowRef {
public:
    TWindowRef() = default;
    TWindowRef(std::nullptr_t) {}
    TWindowRef(T* window) {
        if (window) FGet = [window] { return window; };
    }
    TWindowRef(std::function<T*()> get) : FGet(std::move(get)) {}

    // The window, made now if it was not yet; null for an empty reference.
    T* operator()() const { return FGet ? FGet() : nullptr; }
    explicit operator bool() const { return bool(FGet); }

private:
    std::function<T*()> FGet;
};
