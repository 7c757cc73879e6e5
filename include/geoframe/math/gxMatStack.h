#ifndef GEOFRAME_MATH_GXMATSTACK_H
#define GEOFRAME_MATH_GXMATSTACK_H

#include <geoframe/geoframe_export.h>
#include <geoframe/math/gxMatrix4.h>

#include <type_traits>
#include <vector>

/// A fixed-capacity stack of transforms for hierarchical composition: edit the top
/// matrix, push to save it, change the copy, pop to return to the saved one.
///
///     gxMatStack<gxMatrix4> stack;
///     stack->makeIdent();
///     stack.push();
///     stack->postTrans(1, 2, 3);   // ... use *stack ...
///     stack.pop();                 // the identity again
///
/// The capacity is fixed at construction; push on a full stack and pop at depth 0
/// return false and change nothing. Each stack owns its matrices: a copy has its
/// own. T needs a constructor from T::InitState (used when T has no default
/// constructor) and an assignment operator. New gxMatrix4 slots hold the identity.
template <class T>
class GEOFRAME_EXPORT gxMatStack {
public:
    static constexpr int kMaxSlots = 128;

    /// A stack of maxDepth matrices (clamped into 1 .. 128) at depth 0.
    explicit gxMatStack(int maxDepth = 32)
        : m_maxDepth(maxDepth < 1           ? 1
                     : maxDepth > kMaxSlots ? kMaxSlots
                                            : maxDepth),
          m_curDepth(0) {
        m_slots.reserve(static_cast<std::size_t>(m_maxDepth));
        for (int i = 0; i < m_maxDepth; ++i) {
            if constexpr (std::is_default_constructible_v<T>)
                m_slots.emplace_back();
            else
                m_slots.emplace_back(T::INIT_NONE);
        }
    }

    int getMaxDepth() const { return m_maxDepth; }
    int getCurDepth() const { return m_curDepth; }

    /// Back to depth 0; no matrix changes.
    void reset() { m_curDepth = 0; }

    /// Copies the top into the slot above and makes that the top. False, and
    /// nothing changed, when the stack is full.
    bool push() {
        if (m_curDepth + 1 >= m_maxDepth)
            return false;
        m_slots[static_cast<std::size_t>(m_curDepth) + 1] = top();
        ++m_curDepth;
        return true;
    }

    /// Returns to the slot below, which kept its contents. False, and nothing
    /// changed, at depth 0.
    bool pop() {
        if (m_curDepth == 0)
            return false;
        --m_curDepth;
        return true;
    }

    T* operator->() { return &top(); }
    const T* operator->() const { return &top(); }
    T& operator*() { return top(); }
    const T& operator*() const { return top(); }

private:
    T& top() { return m_slots[static_cast<std::size_t>(m_curDepth)]; }
    const T& top() const { return m_slots[static_cast<std::size_t>(m_curDepth)]; }

    std::vector<T> m_slots;
    int m_maxDepth;
    int m_curDepth;
};

#endif
