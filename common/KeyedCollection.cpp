#include "common/KeyedCollection.h"

#include "common/RunTimeError.h"
#include "common/TextFunctions.h"

namespace morvane {

void KeyedCollection::Add(std::string sItem, std::string sKey) {
    if (!sKey.empty()) {
        auto [it, bInserted] = m_index.emplace(UCase(sKey), m_entries.size());
        if (!bInserted) {
            throw RunTimeError("key already in collection: " + sKey);
        }
    }
    m_entries.push_back({std::move(sKey), std::move(sItem)});
}

const std::string& KeyedCollection::Item(int nIndex) const {
    if (nIndex < 1 || nIndex > Count()) {
        throw RunTimeError("collection index out of range: " + std::to_string(nIndex));
    }
    return m_entries[static_cast<std::size_t>(nIndex - 1)].sItem;
}

const std::string& KeyedCollection::Item(std::string_view sKey) const {
    auto it = m_index.find(UCase(sKey));
    if (it == m_index.end()) {
        throw RunTimeError("key not in collection: " + std::string(sKey));
    }
    return m_entries[it->second].sItem;
}

const std::string& KeyedCollection::KeyAt(int nIndex) const {
    if (nIndex < 1 || nIndex > Count()) {
        throw RunTimeError("collection index out of range: " + std::to_string(nIndex));
    }
    return m_entries[static_cast<std::size_t>(nIndex - 1)].sKey;
}

bool KeyedCollection::Contains(std::string_view sKey) const {
    return m_index.count(UCase(sKey)) != 0;
}

void KeyedCollection::Remove(int nIndex) {
    if (nIndex < 1 || nIndex > Count()) {
        throw RunTimeError("collection index out of range: " + std::to_string(nIndex));
    }
    m_entries.erase(m_entries.begin() + (nIndex - 1));
    Reindex();
}

void KeyedCollection::Remove(std::string_view sKey) {
    auto it = m_index.find(UCase(sKey));
    if (it == m_index.end()) {
        throw RunTimeError("key not in collection: " + std::string(sKey));
    }
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(it->second));
    Reindex();
}

void KeyedCollection::RemoveIfPresent(std::string_view sKey) {
    if (Contains(sKey)) {
        Remove(sKey);
    }
}

void KeyedCollection::Clear() {
    m_entries.clear();
    m_index.clear();
}

void KeyedCollection::Reindex() {
    m_index.clear();
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (!m_entries[i].sKey.empty()) {
            m_index.emplace(UCase(m_entries[i].sKey), i);
        }
    }
}

bool KeyExists(const KeyedCollection& col, std::string_view sKey) {
    return col.Contains(sKey);
}

} // namespace morvane
