#include "foundation/Text.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace geoframe::detail {

namespace {

locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

char* NewText(const char* text) {
    if (!text)
        return nullptr;
    return NewText(std::string_view(text));
}

char* NewText(std::string_view text) {
    char* copy = new char[text.size() + 1];
    if (!text.empty())
        std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

void DeleteTextList(int count, char** list) {
    if (!list)
        return;
    for (int i = 0; i < count; ++i)
        delete[] list[i];
    delete[] list;
}

double ReadLeadingDouble(std::string_view text) {
    const std::string copy(text);
    if (const locale_t locale = CLocale())
        return strtod_l(copy.c_str(), nullptr, locale);
    return std::strtod(copy.c_str(), nullptr);
}

std::string FixedText(double value) {
    // to_chars with a precision writes exactly what printf's "%.6f" writes in the
    // "C" locale, for every double (no buffer limit, no locale).
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string ShortestText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace geoframe::detail
