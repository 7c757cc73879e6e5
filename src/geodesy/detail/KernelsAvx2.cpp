// The batch kernels for x86-64 processors with AVX2 and FMA: this source alone is
// compiled for them (the build adds -mavx2 -mfma); nothing here runs unless the
// processor has both.

#include "geodesy/detail/BatchKernels.h"

#include <cstdint>

#ifdef GEOFRAME_X86_KERNELS

#define GEOFRAME_KERNEL_NS avx2
#include "geodesy/detail/Kernels.h"

namespace geoframe::detail {

const KernelSet& Avx2Kernels() {
    return avx2::kKernels;
}

} // namespace geoframe::detail

#endif
