#ifndef GEOFRAME_TESTS_TEXT_H
#define GEOFRAME_TESTS_TEXT_H

// States rendered as text, so that one EXPECT_EQ compares several properties and
// its failure message shows which of them differ.

#include <cstdio>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>

/// The names of the calls that returned true, each after a space: a test of calls
/// that must all refuse expects "" and a failure names the ones that did not.
inline std::string Succeeded(std::initializer_list<std::pair<const char*, bool>> calls) {
    std::string names;
    for (const auto& [name, ok] : calls)
        names += ok ? std::string(" ") + name : std::string();
    return names;
}

/// The values separated by spaces; doubles in full (%.17g), bools as true/false.
template <class... T>
std::string Values(const T&... values) {
    std::string text;
    auto add = [&text](const auto& v) {
        using V = std::decay_t<decltype(v)>;
        char number[32];
        if constexpr (std::is_same_v<V, bool>)
            text += v ? " true" : " false";
        else if constexpr (std::is_arithmetic_v<V> || std::is_enum_v<V>)
            std::snprintf(number, sizeof number, " %.17g", double(v)), text += number;
        else
            text += std::string(" ") + v;
    };
    (add(values), ...);
    return text.empty() ? text : text.substr(1);
}

#endif
