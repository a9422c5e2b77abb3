// A process-wide value that tests put something in place of: a hook asked instead of the system,
// a folder or a registry key used instead of the real one. The stand-in holds while the object
// lives and the previous value comes back afterwards, so that scopes nest. Each Tag names one
// such value.
#pragma once

#include <utility>

namespace brindlex {

template <typename T, typename Tag> class CScopedOverride {
public:
    explicit CScopedOverride(T value) : m_previous(std::exchange(Slot(), std::move(value))) {}
    ~CScopedOverride() { Slot() = std::move(m_previous); }
    CScopedOverride(const CScopedOverride&) = delete;
    CScopedOverride& operator=(const CScopedOverride&) = delete;

    // What stands in now: a default T (no hook, an empty string) while nothing does.
    static const T& Current() { return Slot(); }

private:
    static T& Slot() {
        static T value;
        return value;
    }

    T m_previous;
};

} // namespace brindlex
