// Ownership of a line's Qt objects across its notifications: a sink may end the line from inside a
// notification that one of those objects' signals started, so they must not be deleted under it.
#pragma once

#include <memory>

class QObject;

// Counts the notifications (sink calls) of one line that are running. A CNotifyScope holds the
// count itself, so a scope may end after its sink destroyed the line that opened it.
class CNotifyDepth {
public:
    CNotifyDepth();
    // True while at least one CNotifyScope of this depth lives.
    bool IsNotifying() const;

private:
    friend class CNotifyScope;
    std::shared_ptr<int> m_pDepth;
};

// Marks one notification as running for as long as it lives. Put it around every sink call.
class CNotifyScope {
public:
    explicit CNotifyScope(const CNotifyDepth& depth);
    ~CNotifyScope();
    CNotifyScope(const CNotifyScope&) = delete;
    CNotifyScope& operator=(const CNotifyScope&) = delete;

private:
    std::shared_ptr<int> m_pDepth;
};

// Deletes object (null: nothing) with its children: at once when deferred is false; otherwise cuts
// every connection of its signals and of its children's, drops the events posted to them, and hands
// it to Qt's deferred deletion, for the object may be the sender of the signal under the call.
void ReleaseQtObject(QObject* object, bool deferred);

// Sole owner of one Qt object of a line. Reset and the destructor release the object through
// ReleaseQtObject, deferred exactly while a notification of the line runs, so no caller chooses
// between delete and deleteLater itself. depth must outlive the owner.
template <typename T>
class CSinkSafeOwner {
public:
    explicit CSinkSafeOwner(const CNotifyDepth& depth, T* object = nullptr) : m_depth(depth), m_pObject(object) {}
    ~CSinkSafeOwner() { Reset(); }
    CSinkSafeOwner(const CSinkSafeOwner&) = delete;
    CSinkSafeOwner& operator=(const CSinkSafeOwner&) = delete;

    T* Get() const { return m_pObject; }
    T* operator->() const { return m_pObject; }
    explicit operator bool() const { return m_pObject != nullptr; }

    // Releases the object held (if any) and takes object.
    void Reset(T* object = nullptr)
    {
        T* old = m_pObject;
        m_pObject = object;
        ReleaseQtObject(old, m_depth.IsNotifying());
    }

private:
    const CNotifyDepth& m_depth;
    T* m_pObject;
};
