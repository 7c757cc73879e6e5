#include <geoframe/foundation/GxRefBase.h>

GxRefBase::~GxRefBase() = default;

unsigned long GxRefBase::AddReference() {
    // Taking a reference needs no ordering: the caller already holds one.
    return static_cast<unsigned long>(m_refCount.fetch_add(1, std::memory_order_relaxed) + 1);
}

unsigned long GxRefBase::ReleaseReference() {
    // Release publishes this thread's writes to the object; the acquire on the last
    // release makes every other thread's writes visible before the object is deleted.
    const std::int32_t count = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (count == 0) {
        delete this;
        return 0;
    }
    return static_cast<unsigned long>(count);
}
