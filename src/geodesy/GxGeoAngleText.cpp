// Degree-minute-second text of GxGeoAngle: reading the hand-typed forms and
// writing the canonical one.

#include <geoframe/geodesy/GxGeoAngle.h>

#include "foundation/Text.h"
#include "geodesy/AngleParts.h"

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using geoframe::detail::DmsToDegrees;
using geoframe::detail::kMaxWholeDegrees;
using geoframe::detail::ReadLeadingDouble;
using geoframe::detail::SplitMinutes;

namespace {

constexpr std::size_t npos = std::string_view::npos;

/// A whole number read from the front of a text, its sign kept apart so that
/// "-0" stays negative.
struct WholeNumber {
    bool negative = false;
    double magnitude = 0.0;

    double Value() const { return negative ? -magnitude : magnitude; }
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

/// The integer conversion: leading white space, an optional sign, decimal digits,
/// stopping at the first other character. No digits reads as 0. The magnitude is
/// clamped rather than allowed to overflow.
WholeNumber ReadWholeNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long magnitude = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        digits = true;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kMaxWholeDegrees)
            magnitude = kMaxWholeDegrees;
    }
    WholeNumber number;
    if (digits) {
        number.negative = negative;
        number.magnitude = static_cast<double>(magnitude);
    }
    return number;
}

/// The first hemisphere letter in the text, by preference N, n, E, e, S, s, W, w;
/// 0 when there is none.
char FindHemisphereLetter(std::string_view text) {
    for (const char letter : {'N', 'n', 'E', 'e', 'S', 's', 'W', 'w'}) {
        if (text.find(letter) != npos)
            return letter;
    }
    return 0;
}

bool IsHemisphereLetter(char c) {
    return c != 0 && std::strchr("NnEeSsWw", c) != nullptr;
}

/// S and W (either case) negate the value they follow.
bool Negates(char letter) {
    return letter == 'S' || letter == 's' || letter == 'W' || letter == 'w';
}

std::size_t FindFirst(std::string_view text, char first, char second) {
    const std::size_t at = text.find(first);
    return at != npos ? at : text.find(second);
}

void AppendInt(std::string& out, long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendFixed(std::string& out, double value, int precision) {
    // Up to 309 integer digits for the largest double, a sign, a point and the digits.
    std::vector<char> buffer(320 + static_cast<std::size_t>(precision));
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, precision);
    out.append(buffer.data(), result.ptr);
}

/// Most digits any double has after the decimal point; more would all be zeros.
constexpr int kMaxPrecision = 1074;

} // namespace

bool GxGeoAngle::SetDMSString(const char* text) {
    if (!text)
        return false;
    const std::string_view all(text);

    std::size_t degreeMark = all.find('~');
    if (degreeMark == npos)
        degreeMark = FindFirst(all, 'd', ' ');
    std::size_t minuteMark = FindFirst(all, '\'', 'm');
    if (minuteMark == npos && degreeMark != npos)
        minuteMark = all.find(' ', degreeMark + 1);
    const std::size_t secondsMark = FindFirst(all, '"', 's');

    char letter = 0;
    if (degreeMark == npos) {
        // Decimal degrees, stored as read (not wrapped); a trailing S or W negates.
        double degrees = ReadLeadingDouble(all);
        letter = FindHemisphereLetter(all);
        if (Negates(letter))
            degrees = -degrees;
        m_degrees = degrees;
        SetHemisphere(letter ? &letter : nullptr);
        return true;
    }

    WholeNumber whole;
    int minutes = 0;
    double seconds = 0.0;
    if (minuteMark == npos) {
        // Degrees and decimal minutes.
        whole = ReadWholeNumber(all);
        const std::string_view rest = all.substr(degreeMark + 1);
        letter = FindHemisphereLetter(rest);
        if (SplitMinutes(ReadLeadingDouble(rest), minutes, seconds))
            whole.magnitude += 1.0;
    } else {
        // Degrees, whole minutes and seconds. A minute mark standing before the
        // degree mark leaves no minutes text.
        whole = ReadWholeNumber(all.substr(0, degreeMark));
        if (minuteMark > degreeMark)
            minutes = static_cast<int>(
                ReadWholeNumber(all.substr(degreeMark + 1, minuteMark - degreeMark - 1)).Value());
        const std::string_view secondsText = all.substr(minuteMark + 1);
        if (secondsMark != npos) {
            std::size_t next = secondsMark + 1;
            while (next < all.size() && all[next] == ' ')
                ++next;
            if (next < all.size()) {
                if (!IsHemisphereLetter(all[next]))
                    return false;
                letter = all[next];
            }
        } else {
            letter = FindHemisphereLetter(secondsText);
        }
        seconds = ReadLeadingDouble(secondsText);
    }

    if (Negates(letter))
        whole.negative = !whole.negative;
    m_degrees = Normalize(DmsToDegrees(whole.negative, whole.magnitude, minutes, seconds));
    if (letter)
        SetHemisphere(&letter);
    return true;
}

char* GxGeoAngle::GetDMSString(int precision) const {
    if (precision < 0)
        precision = 6;
    if (precision > kMaxPrecision)
        precision = kMaxPrecision;

    // The letter of the hemisphere, indexed by GeoHemiType; none for an unset axis.
    static const char* const kLetters[] = {nullptr, "W", "E", "N", "S"};
    GeoHemiType hemisphere = HEMI_NONE;
    GetHemisphere(hemisphere);
    const char* letter = kLetters[hemisphere];

    int degrees = 0;
    int minutes = 0;
    double seconds = 0.0;
    GetDMS(degrees, minutes, seconds);

    // The seconds are rounded once, at the precision asked for; when that rounding
    // reaches 60 they are written as 0 and carry into the minutes, and 60 minutes
    // into the degrees. The carry moves away from zero on the angle's own side, so
    // 179.9999999 as a longitude is written 180~0'0.00" E and -179.9999999 as
    // 180~0'0.00" W. (Only seconds below 60 can round to exactly 60; larger ones
    // come from unwrapped decimal text and are written as they are.)
    std::string secondsText;
    AppendFixed(secondsText, seconds, precision);
    long long wholeDegrees = degrees < 0 ? -static_cast<long long>(degrees) : degrees;
    if (seconds < 60.0 && secondsText.compare(0, 2, "60") == 0) {
        secondsText.clear();
        AppendFixed(secondsText, 0.0, precision);
        if (++minutes == 60) {
            minutes = 0;
            ++wholeDegrees;
        }
    }

    std::string out;
    // Without a letter the sign is written, also for angles between -1 and 0.
    if (!letter && m_degrees < 0)
        out += '-';
    AppendInt(out, wholeDegrees);
    out += '~';
    AppendInt(out, minutes);
    out += '\'';
    out += secondsText;
    out += '"';
    if (letter) {
        out += ' ';
        out += letter;
    }

    return geoframe::detail::NewText(std::string_view(out));
}
