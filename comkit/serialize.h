// Save/load and compile contracts of every persistent object, and the model's list and lock.
#pragma once

#include "comkit/comkit_api.h"

#include "comkit/types.h"

#include <mutex>

namespace COM_INTERFACE_EX {

// Save(nullptr, ...) returns the record size; Save(buf, room) writes it and returns the bytes written.
// Load(buf, size) reads one record, never past size, and returns the bytes consumed.
class COMKIT_API ISerialize {
public:
    virtual ~ISerialize() = default;
    virtual DWORD Load(BYTE* buffer, DWORD size)
    {
        (void)buffer;
        (void)size;
        return 0;
    }
    virtual DWORD Save(BYTE* buffer, DWORD size)
    {
        (void)buffer;
        (void)size;
        return 0;
    }
};

// Compile(nullptr, 0) returns the compiled size; Compile(buf, size) zero-fills size bytes, then writes.
class COMKIT_API ICompile {
public:
    virtual ~ICompile() = default;
    virtual DWORD Compile(BYTE* buffer, DWORD size)
    {
        (void)buffer;
        (void)size;
        return 0;
    }
};

} // namespace COM_INTERFACE_EX

namespace COMMON_EX {

// A recursive lock: the owning thread may take it again and releases it once per Lock().
class COMKIT_API CCMNEXCriticalSection {
public:
    CCMNEXCriticalSection();
    virtual ~CCMNEXCriticalSection();
    CCMNEXCriticalSection(const CCMNEXCriticalSection&) = delete;
    CCMNEXCriticalSection& operator=(const CCMNEXCriticalSection&) = delete;

    virtual void Lock();
    virtual void Unlock();

private:
    std::recursive_mutex* m_pSection;
};

// A doubly-linked list of item pointers. It owns its nodes, never the items. Removed nodes are
// kept as spares (at most 10, the oldest freed first); added nodes are always newly allocated.
// Adds and removes hold the list's lock; traversal from GetHead() along pNext takes none.
template <typename T>
class COMKIT_API CMNEXList {
public:
    struct Node {
        Node* pNext = nullptr; // toward the last node
        Node* pPrev = nullptr; // toward the first node
        T* pItem = nullptr;
    };

    static constexpr int MAX_SPARE_NODES = 10;

    CMNEXList() = default;
    CMNEXList(const CMNEXList&) = delete;
    CMNEXList& operator=(const CMNEXList&) = delete;

    virtual ~CMNEXList()
    {
        m_bDestroying = true;
        m_lock.Lock();
        while (m_pSpareNewest) {
            Node* n = m_pSpareNewest;
            m_pSpareNewest = n->pNext;
            delete n;
        }
        m_pSpareOldest = nullptr;
        m_nSpare = 0;
        m_lock.Unlock();
    }

    Node* AddTail(T* item)
    {
        m_lock.Lock();
        Node* n = new Node;
        n->pItem = item;
        n->pPrev = m_pLast;
        if (m_pLast)
            m_pLast->pNext = n;
        else
            m_pFirst = n;
        m_pLast = n;
        ++m_nCount;
        m_lock.Unlock();
        return n;
    }

    T* RemoveHead() { return RemoveNode(m_pFirst); }
    T* RemoveTail() { return RemoveNode(m_pLast); }

    // Unlinks a node of this list (null or a foreign node is refused) and returns its item.
    T* Remove(Node* node) { return RemoveNode(node); }

    Node* GetHead() const { return m_pFirst; }
    Node* GetTail() const { return m_pLast; }
    int GetCount() const { return m_nCount; }
    int GetSpareCount() const { return m_nSpare; }
    bool IsEmpty() const { return m_nCount == 0; }
    bool IsDestroying() const { return m_bDestroying; }

private:
    T* RemoveNode(Node* n)
    {
        m_lock.Lock();
        if (!n || m_nCount == 0 || !Contains(n)) {
            m_lock.Unlock();
            return nullptr;
        }
        if (n->pPrev)
            n->pPrev->pNext = n->pNext;
        else
            m_pFirst = n->pNext;
        if (n->pNext)
            n->pNext->pPrev = n->pPrev;
        else
            m_pLast = n->pPrev;
        --m_nCount;
        T* item = n->pItem;
        PushSpare(n);
        m_lock.Unlock();
        return item;
    }

    bool Contains(Node* n) const
    {
        if (n == m_pFirst || n == m_pLast)
            return true;
        for (Node* p = m_pFirst; p; p = p->pNext)
            if (p == n)
                return true;
        return false;
    }

    // Spares are chained newest first through pNext; pPrev points toward the newer spare.
    void PushSpare(Node* n)
    {
        n->pItem = nullptr;
        n->pPrev = nullptr;
        n->pNext = m_pSpareNewest;
        if (m_pSpareNewest)
            m_pSpareNewest->pPrev = n;
        else
            m_pSpareOldest = n;
        m_pSpareNewest = n;
        if (++m_nSpare > MAX_SPARE_NODES) {
            Node* old = m_pSpareOldest;
            m_pSpareOldest = old->pPrev;
            m_pSpareOldest->pNext = nullptr;
            delete old;
            --m_nSpare;
        }
    }

    Node* m_pFirst = nullptr;
    Node* m_pLast = nullptr;
    int m_nCount = 0;
    Node* m_pSpareNewest = nullptr;
    Node* m_pSpareOldest = nullptr;
    int m_nSpare = 0;
    bool m_bDestroying = false;
    CCMNEXCriticalSection m_lock;
};

} // namespace COMMON_EX
