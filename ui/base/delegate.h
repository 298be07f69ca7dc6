// Per-control event subscriptions: control->OnNotify += MakeDelegate(this, &X::OnFoo).
// A handler takes the notification (TNotifyUI*) or event (TEventUI*) and returns
// true to let the remaining handlers run; false stops the chain (for OnEvent it
// also stops the control's own DoEvent). The window's Notify always runs.
#pragma once

#include <memory>
#include <vector>

namespace DuiLib {

class CDelegateBase {
public:
    virtual ~CDelegateBase() = default;
    virtual CDelegateBase* Copy() const = 0;
    virtual bool Invoke(void* param) = 0;
    virtual bool Equals(const CDelegateBase& other) const = 0;
};

template <class O, class P>
class CDelegate : public CDelegateBase {
public:
    using Fn = bool (O::*)(P*);
    CDelegate(O* object, Fn fn) : m_object(object), m_fn(fn) {}
    CDelegateBase* Copy() const override { return new CDelegate(*this); }
    bool Invoke(void* param) override { return (m_object->*m_fn)(static_cast<P*>(param)); }
    bool Equals(const CDelegateBase& other) const override {
        auto* o = dynamic_cast<const CDelegate*>(&other);
        return o && o->m_object == m_object && o->m_fn == m_fn;
    }

private:
    O* m_object;
    Fn m_fn;
};

template <class P>
class CStaticDelegate : public CDelegateBase {
public:
    using Fn = bool (*)(P*);
    explicit CStaticDelegate(Fn fn) : m_fn(fn) {}
    CDelegateBase* Copy() const override { return new CStaticDelegate(*this); }
    bool Invoke(void* param) override { return m_fn(static_cast<P*>(param)); }
    bool Equals(const CDelegateBase& other) const override {
        auto* o = dynamic_cast<const CStaticDelegate*>(&other);
        return o && o->m_fn == m_fn;
    }

private:
    Fn m_fn;
};

template <class O, class T, class P>
CDelegate<T, P> MakeDelegate(O* object, bool (T::*fn)(P*)) {
    return CDelegate<T, P>(static_cast<T*>(object), fn);
}

template <class P>
CStaticDelegate<P> MakeDelegate(bool (*fn)(P*)) {
    return CStaticDelegate<P>(fn);
}

class CEventSource {
public:
    CEventSource() = default;
    CEventSource(const CEventSource&) = delete;
    CEventSource& operator=(const CEventSource&) = delete;

    explicit operator bool() const { return !m_delegates.empty(); }
    void operator+=(const CDelegateBase& d);
    void operator-=(const CDelegateBase& d);
    void Clear() { m_delegates.clear(); }
    // Runs the handlers in order; false as soon as one returns false.
    bool operator()(void* param);

private:
    std::vector<std::unique_ptr<CDelegateBase>> m_delegates;
};

inline void CEventSource::operator+=(const CDelegateBase& d) {
    for (auto& existing : m_delegates)
        if (existing->Equals(d)) return;  // subscribing twice calls once
    m_delegates.emplace_back(d.Copy());
}

inline void CEventSource::operator-=(const CDelegateBase& d) {
    for (auto it = m_delegates.begin(); it != m_delegates.end(); ++it) {
        if ((*it)->Equals(d)) {
            m_delegates.erase(it);
            return;
        }
    }
}

inline bool CEventSource::operator()(void* param) {
    // A handler may subscribe or unsubscribe while we run: iterate over a copy.
    std::vector<CDelegateBase*> snapshot;
    for (auto& d : m_delegates) snapshot.push_back(d.get());
    size_t count = m_delegates.size();
    for (size_t i = 0; i < snapshot.size(); ++i) {
        if (m_delegates.size() != count) break;  // the list changed under us
        if (!snapshot[i]->Invoke(param)) return false;
    }
    return true;
}

}  // namespace DuiLib
