#pragma once
// Whole-test snapshots for Undo All Pages and Redo All Pages: an entry owns one copy of the
// component test, a stack is a plain vector of entries, oldest first. The copy carries what
// CCompData's copy carries (the rollover vehicle with the test; not the previous test type or the
// curve check).

#include "component/CompData.h"

#include <memory>
#include <vector>

class CUndoEntry {
public:
    CUndoEntry() = default;
    explicit CUndoEntry(const CCompData& data) : m_cType('C'), m_pCompData(std::make_unique<CCompData>(data)) {}
    // The same from a test about to be cleared or replaced: its record arrays are taken.
    explicit CUndoEntry(CCompData&& data)
        : m_cType('C'), m_pCompData(std::make_unique<CCompData>(std::move(data))) {}
    CUndoEntry(const CUndoEntry& other) { CopyFrom(other); }
    CUndoEntry& operator=(const CUndoEntry& other)
    {
        if (this != &other) {
            FreeData();
            CopyFrom(other);
        }
        return *this;
    }
    CUndoEntry(CUndoEntry&&) noexcept = default;
    CUndoEntry& operator=(CUndoEntry&&) noexcept = default;

    void CopyFrom(const CUndoEntry& other)
    {
        m_cType = other.m_cType;
        m_pCompData = other.m_pCompData ? std::make_unique<CCompData>(*other.m_pCompData) : nullptr;
    }
    void FreeData() { m_pCompData.reset(); }
    CCompData* GetCompData() const { return m_pCompData.get(); }
    char Type() const { return m_cType; }

private:
    char m_cType = ' ';
    std::unique_ptr<CCompData> m_pCompData;
};

class CUndoStack {
public:
    void Push(const CUndoEntry& entry) { m_entries.push_back(entry); }
    void Push(const CCompData& data) { m_entries.emplace_back(data); }
    void Push(CCompData&& data) { m_entries.emplace_back(std::move(data)); }
    // The top entry, removed; an entry without data when the stack is empty.
    CUndoEntry PopLast()
    {
        if (m_entries.empty())
            return CUndoEntry();
        CUndoEntry top = std::move(m_entries.back());
        m_entries.pop_back();
        return top;
    }
    bool IsEmpty() const { return m_entries.empty(); }
    size_t GetSize() const { return m_entries.size(); }
    void Clear() { m_entries.clear(); }

private:
    std::vector<CUndoEntry> m_entries;
};
