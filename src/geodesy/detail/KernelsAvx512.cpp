// The batch kernels for x86-64 processors with AVX-512: this source alone is
// compiled for them (the build adds -mavx512f and 512-bit vectors); nothing here
// runs unless the processor has AVX-512F, AVX2 and FMA.

#include "geodesy/detail/BatchKernels.h"

#include <cstdint>

#ifdef GEOFRAME_X86_KERNELS

#define GEOFRAME_KERNEL_NS avx512
#include "geodesy/detail/Kernels.h"

namespace geoframe::detail {

const KernelSet& Avx512Kernels() {
    return avx512::kKernels;
}

} // namespace geoframe::detail

#endif
