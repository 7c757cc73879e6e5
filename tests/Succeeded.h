#ifndef GEOFRAME_TESTS_SUCCEEDED_H
#define GEOFRAME_TESTS_SUCCEEDED_H

#include <initializer_list>
#include <string>
#include <utility>

/// The names of the calls that returned true, each after a space: a test of calls
/// that must all refuse expects "" and a failure names the ones that did not.
inline std::string Succeeded(std::initializer_list<std::pair<const char*, bool>> calls) {
    std::string names;
    for (const auto& [name, ok] : calls)
        names += ok ? std::string(" ") + name : std::string();
    return names;
}

#endif
