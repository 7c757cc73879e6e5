#ifndef GEOFRAME_FOUNDATION_GXSMARTREF_H
#define GEOFRAME_FOUNDATION_GXSMARTREF_H

#include <geoframe/foundation/GxRefBase.h>

/// Holder of one reference to a GxRefBase-derived object; how the library passes
/// shared objects around. Copying the holder adds a reference, destroying it drops
/// one. A null holder is allowed. The plain pointer obtained from a holder is
/// borrowed: it stays valid only while some reference is held.
///
/// One holder must not be assigned on one thread while another reads or assigns it;
/// distinct holders of the same object may be used on different threads.
template <class T>
class GxSmartRef {
public:
    GxSmartRef() : m_object(nullptr) {}

    GxSmartRef(T* object) : m_object(object) { Acquire(m_object); }

    GxSmartRef(const GxSmartRef& other) : m_object(other.m_object) { Acquire(m_object); }

    /// From a holder of a derived class.
    template <class U>
    GxSmartRef(const GxSmartRef<U>& other) : m_object(other.Get()) {
        Acquire(m_object);
    }

    /// Moving hands the reference over; the source is left null.
    GxSmartRef(GxSmartRef&& other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }

    ~GxSmartRef() { Release(m_object); }

    GxSmartRef& operator=(const GxSmartRef& other) { return operator=(other.m_object); }

    GxSmartRef& operator=(GxSmartRef&& other) noexcept {
        if (this != &other) {
            T* old = m_object;
            m_object = other.m_object;
            other.m_object = nullptr;
            Release(old);
        }
        return *this;
    }

    /// Takes the new reference before dropping the old one, so assigning the
    /// object already held keeps it alive.
    GxSmartRef& operator=(T* object) {
        Acquire(object);
        T* old = m_object;
        m_object = object;
        Release(old);
        return *this;
    }

    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    operator T*() const { return m_object; }
    T* Get() const { return m_object; }

    /// Null test: true when nothing is held.
    bool operator!() const { return m_object == nullptr; }
    bool IsNull() const { return m_object == nullptr; }

private:
    static void Acquire(T* object) {
        if (object)
            object->AddReference();
    }
    static void Release(T* object) {
        if (object)
            object->ReleaseReference();
    }

    T* m_object;
};

#endif
