// Degree-minute-second text of GxGeoAngle: the lenient reader of stored texts,
// the strict reader of typed ones and the writer of the canonical form.

#include <geoframe/geodesy/GxGeoAngle.h>

#include "foundation/Text.h"
#include "geodesy/AngleParts.h"

#include <charconv>
#include <cmath>
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

/// Stores degrees, minutes and seconds read from a text, their sign kept apart
/// from the magnitude so that -0 degrees 30 minutes is -0.5. S and W negate; a
/// letter sets the axis, no letter keeps it.
void StoreDms(GxGeoAngle& angle, bool negative, double magnitude, double minutes, double seconds,
              char letter) {
    angle.SetDecimalDegrees(DmsToDegrees(negative != Negates(letter), magnitude, minutes, seconds));
    if (letter)
        angle.SetHemisphere(&letter);
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
    // Up to 309 integer digits for the largest double, a sign, a point and the
    // digits: on the stack for the precisions people ask for.
    constexpr int kOnStack = 64;
    char stack[320 + kOnStack];
    std::vector<char> heap;
    char* buffer = stack;
    std::size_t size = sizeof stack;
    if (precision > kOnStack) {
        heap.resize(320 + static_cast<std::size_t>(precision));
        buffer = heap.data();
        size = heap.size();
    }
    const auto result =
        std::to_chars(buffer, buffer + size, value, std::chars_format::fixed, precision);
    out.append(buffer, result.ptr);
}

/// Most digits any double has after the decimal point; more would all be zeros.
constexpr int kMaxPrecision = 1074;

/// Walks a text for the strict reader, one token at a time.
class AngleScanner {
public:
    enum class Mark { None, Taken, Wrong };

    explicit AngleScanner(std::string_view text) : m_text(text) {}

    bool AtEnd() const { return m_at >= m_text.size(); }

    void SkipSpace() {
        while (!AtEnd() && IsSpace(m_text[m_at]))
            ++m_at;
    }

    bool Take(char c) {
        if (AtEnd() || m_text[m_at] != c)
            return false;
        ++m_at;
        return true;
    }

    /// A hemisphere letter, taken; 0 (nothing taken) for any other character.
    char TakeLetter() {
        if (AtEnd() || !IsHemisphereLetter(m_text[m_at]))
            return 0;
        return m_text[m_at++];
    }

    /// True where a number starts: a digit, or a point followed by one.
    bool AtNumber() const { return IsDigit(m_at) || (Is(m_at, '.') && IsDigit(m_at + 1)); }

    /// Reads an unsigned number: digits with an optional point and fraction, and
    /// with `exponent` an e or E followed by an optionally signed whole number (an
    /// e or E followed by anything else is left to be a letter). `whole` tells
    /// whether the number had neither point nor exponent. False for no digits and
    /// for a number a double cannot hold (overflow or underflow).
    bool ReadNumber(bool exponent, double& value, bool& whole) {
        const std::size_t start = m_at;
        std::size_t at = SkipDigits(m_at);
        bool digits = at > start;
        whole = true;
        if (Is(at, '.')) {
            const std::size_t fraction = at + 1;
            at = SkipDigits(fraction);
            digits = digits || at > fraction;
            whole = false;
        }
        if (!digits)
            return false;
        if (exponent && (Is(at, 'e') || Is(at, 'E'))) {
            const std::size_t sign = Is(at + 1, '+') || Is(at + 1, '-') ? at + 2 : at + 1;
            if (IsDigit(sign)) {
                at = SkipDigits(sign);
                whole = false;
            }
        }
        const auto result = std::from_chars(m_text.data() + start, m_text.data() + at, value);
        m_at = at;
        return result.ec == std::errc();
    }

    /// Takes the mark of `unit` (0 degrees, 1 minutes, 2 seconds) standing right
    /// after its number. Wrong: the mark of another unit stands there. A lowercase
    /// s before the seconds is no mark but a letter.
    Mark TakeMark(int unit) {
        static const std::string_view kMarks[3][3] = {
            {"~", "d", "\xC2\xB0"}, {"'", "m", "\xE2\x80\xB2"}, {"\"", "s", "\xE2\x80\xB3"}};
        const std::string_view rest = m_text.substr(m_at);
        for (int other = 0; other < 3; ++other) {
            for (const std::string_view mark : kMarks[other]) {
                if (rest.compare(0, mark.size(), mark) != 0)
                    continue;
                if (other == unit) {
                    m_at += mark.size();
                    return Mark::Taken;
                }
                return mark == "s" && unit < 2 ? Mark::None : Mark::Wrong;
            }
        }
        return Mark::None;
    }

private:
    bool Is(std::size_t at, char c) const { return at < m_text.size() && m_text[at] == c; }
    bool IsDigit(std::size_t at) const {
        return at < m_text.size() && m_text[at] >= '0' && m_text[at] <= '9';
    }
    std::size_t SkipDigits(std::size_t at) const {
        while (IsDigit(at))
            ++at;
        return at;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

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

    StoreDms(*this, whole.negative, whole.magnitude, minutes, seconds, letter);
    return true;
}

bool GxGeoAngle::SetAngleText(const char* text) {
    return text && SetAngleText(std::string_view(text));
}

bool GxGeoAngle::SetAngleText(std::string_view text) {
    AngleScanner scan(text);
    scan.SkipSpace();
    char letter = scan.TakeLetter();
    if (letter)
        scan.SkipSpace();
    const char sign = scan.Take('+') ? '+' : scan.Take('-') ? '-' : 0;

    // Degrees, then minutes, then seconds; only the last part read may have a
    // fraction (and only lone degrees an exponent).
    double parts[3] = {0.0, 0.0, 0.0};
    for (int unit = 0; unit < 3; ++unit) {
        bool whole = false;
        if (!scan.ReadNumber(unit == 0, parts[unit], whole))
            return false;
        const AngleScanner::Mark mark = scan.TakeMark(unit);
        if (mark == AngleScanner::Mark::Wrong)
            return false;
        // A colon joins two parts directly; otherwise white space may stand between.
        const bool colon = mark == AngleScanner::Mark::None && scan.Take(':');
        if (!colon)
            scan.SkipSpace();
        if (!scan.AtNumber()) {
            if (colon)
                return false;
            break;
        }
        if (!whole || unit == 2)
            return false;
    }
    if (!letter)
        letter = scan.TakeLetter();
    scan.SkipSpace();
    if (!scan.AtEnd() || parts[1] >= 60.0 || parts[2] >= 60.0)
        return false;

    // A minus sign contradicts N and E; any sign doubles S and W.
    if (sign && letter && (sign == '-' || Negates(letter)))
        return false;
    const double magnitude = DmsToDegrees(false, parts[0], parts[1], parts[2]);
    // A latitude by its letter, or without one by the axis the angle keeps.
    const bool latitude = letter ? std::strchr("NnSs", letter) != nullptr : m_axis == AXIS_LATITUDE;
    if (!std::isfinite(magnitude) || (latitude && magnitude > 90.0))
        return false;
    StoreDms(*this, sign == '-', parts[0], parts[1], parts[2], letter);
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
