#ifndef GEOFRAME_TESTS_COMMALOCALE_H
#define GEOFRAME_TESTS_COMMALOCALE_H

#include <clocale>
#include <cstdlib>
#include <string>

/// Switches LC_NUMERIC to the comma-decimal German locale that the test suite
/// compiles into the build tree, for the lifetime of the object. Active() is false
/// where no such locale could be made (then nothing is switched).
class CommaLocale {
public:
    CommaLocale() : m_saved(std::setlocale(LC_NUMERIC, nullptr)) {
        setenv("LOCPATH", GEOFRAME_TEST_LOCPATH, 1);
        const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        unsetenv("LOCPATH");
        m_active = german && *std::localeconv()->decimal_point == ',';
        if (!m_active)
            std::setlocale(LC_NUMERIC, m_saved.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, m_saved.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return m_active; }

private:
    std::string m_saved;
    bool m_active;
};

#endif
