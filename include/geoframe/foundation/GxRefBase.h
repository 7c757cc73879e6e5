#ifndef GEOFRAME_FOUNDATION_GXREFBASE_H
#define GEOFRAME_FOUNDATION_GXREFBASE_H

#include <geoframe/geoframe_export.h>

#include <atomic>
#include <cstdint>

/// Base of every shared object: carries an intrusive reference count and deletes
/// the object when the last reference is released.
///
/// A new object starts at count 0 and is owned by nobody until the first
/// GxSmartRef takes it. The count changes atomically, so references to one object
/// may be added and dropped on several threads; nothing else is synchronised.
/// Copies made by a derived class's copy constructor start again at count 0.
class GEOFRAME_EXPORT GxRefBase {
public:
    GxRefBase() : m_refCount(0) {}
    virtual ~GxRefBase();

    /// Adds one reference; returns the new count.
    virtual unsigned long AddReference();
    /// Drops one reference; at zero the object deletes itself and 0 is returned,
    /// otherwise the new count. Releasing a reference never added is a caller error.
    virtual unsigned long ReleaseReference();

private:
    // Shared objects are never copied or assigned through the base; derived
    // copy constructors start from the default constructor.
    GxRefBase(const GxRefBase&) = delete;
    GxRefBase& operator=(const GxRefBase&) { return *this; }

    std::atomic<std::int32_t> m_refCount;
};

#endif
