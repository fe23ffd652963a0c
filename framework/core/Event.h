#pragma once
#include <cstddef>
#include <vector>

#include "framework/core/Delegate.h"

namespace GF {

// A list of delegates of one kind, all called when the event is raised, in the order they were
// added. A delegate appended while an earlier one runs is called in the same raise; one appended by
// the last delegate is called from the next raise on. A delegate removed during a raise is left as an
// empty slot until the outermost raise ends, so removal never disturbs the walk: a removed delegate
// that has not been reached yet is not called.
template <class D>
class TEventBase {
public:
    using Delegate = D;
    using DelegateHolder = THolder<D>;

    TEventBase() = default;
    TEventBase(const TEventBase&) = delete;
    TEventBase& operator=(const TEventBase&) = delete;
    ~TEventBase() { Clear(); }

    void Add(const DelegateHolder& delegate) {
        if (delegate) m_list.push_back(delegate);
    }

    // Removes the first delegate equal to the given one; nothing when none is.
    void Remove(const DelegateHolder& delegate) {
        for (std::size_t i = 0; i < m_list.size(); ++i) {
            if (m_list[i] && m_list[i]->IsEqual(delegate)) {
                Erase(i);
                return;
            }
        }
    }

    void Clear() {
        if (m_raising > 0) {
            for (std::size_t i = 0; i < m_list.size(); ++i) Erase(i);
        } else {
            m_list.clear();
        }
    }

    bool IsEmpty() const {
        for (const auto& d : m_list)
            if (d) return false;
        return true;
    }

    std::size_t Count() const {
        std::size_t n = 0;
        for (const auto& d : m_list)
            if (d) ++n;
        return n;
    }

protected:
    template <class Call>
    void RaiseWith(Call&& call) {
        if (m_list.empty()) return;
        ++m_raising;
        for (std::size_t i = 0; i < m_list.size(); ++i) {
            const bool last = i + 1 == m_list.size();
            DelegateHolder current = m_list[i];  // keeps the delegate alive if it removes itself
            if (current) call(*current);
            if (last) break;
        }
        if (--m_raising == 0 && m_holes) Compact();
    }

private:
    void Erase(std::size_t i) {
        if (m_raising > 0) {
            m_list[i].Reset();
            m_holes = true;
        } else {
            m_list.erase(m_list.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }

    void Compact() {
        std::vector<DelegateHolder> kept;
        kept.reserve(m_list.size());
        for (auto& d : m_list)
            if (d) kept.push_back(std::move(d));
        m_list.swap(kept);
        m_holes = false;
    }

    std::vector<DelegateHolder> m_list;
    int m_raising = 0;
    bool m_holes = false;
};

template <class R = void>
class TEvent0 : public TEventBase<IDelegate0<R>> {
public:
    void Raise() {
        this->RaiseWith([](IDelegate0<R>& d) { d.Invoke(); });
    }
};

// Each delegate gets its own copy of the argument (a holder argument thus carries one reference for
// the call and gives it back after it).
template <class A, class R = void>
class TEvent1 : public TEventBase<IDelegate1<R, A>> {
public:
    void Raise(const A& a) {
        this->RaiseWith([&a](IDelegate1<R, A>& d) { d.Invoke(a); });
    }
};

template <class A, class B, class C, class R = void>
class TEvent3 : public TEventBase<IDelegate3<R, A, B, C>> {
public:
    void Raise(const A& a, const B& b, const C& c) {
        this->RaiseWith([&](IDelegate3<R, A, B, C>& d) { d.Invoke(a, b, c); });
    }
};

}  // namespace GF
