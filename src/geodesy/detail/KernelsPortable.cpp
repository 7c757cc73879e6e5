// The batch kernels for any processor: what the compiler vectorises for the
// baseline instruction set.

#include "geodesy/detail/BatchKernels.h"

#include <cstdint>

#define GEOFRAME_KERNEL_NS portable
#include "geodesy/detail/Kernels.h"

namespace geoframe::detail {

const KernelSet& PortableKernels() {
    return portable::kKernels;
}

} // namespace geoframe::detail
