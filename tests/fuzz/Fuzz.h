#ifndef GEOFRAME_TESTS_FUZZ_FUZZ_H
#define GEOFRAME_TESTS_FUZZ_FUZZ_H

// What the fuzz targets share: their entry point, and the check that ends the run
// when a property does not hold (libFuzzer then keeps the input).

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

inline void Require(bool property) {
    if (!property)
        std::abort();
}

#endif
