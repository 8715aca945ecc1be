// Ordered, 1-based collection of texts, each optionally stored under a unique key compared
// without regard to letter case; every list, value map and change list of the program is one.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace morvane {

class KeyedCollection {
public:
    struct Entry {
        std::string sKey; // "" when the item was added without a key
        std::string sItem;
    };

    // Appends; a key that is already present raises RunTimeError and nothing is added.
    void Add(std::string sItem, std::string sKey = {});
    int Count() const { return static_cast<int>(m_entries.size()); }
    bool Empty() const { return m_entries.empty(); }
    // 1-based; an index outside 1..Count() raises RunTimeError.
    const std::string& Item(int nIndex) const;
    // A missing key raises RunTimeError.
    const std::string& Item(std::string_view sKey) const;
    const std::string& KeyAt(int nIndex) const;
    bool Contains(std::string_view sKey) const;
    // Raise RunTimeError when there is no such item.
    void Remove(int nIndex);
    void Remove(std::string_view sKey);
    // Removes the item of the key when there is one; no error otherwise.
    void RemoveIfPresent(std::string_view sKey);
    void Clear();

    std::vector<Entry>::const_iterator begin() const { return m_entries.begin(); }
    std::vector<Entry>::const_iterator end() const { return m_entries.end(); }

private:
    void Reindex();

    std::vector<Entry> m_entries;
    std::unordered_map<std::string, std::size_t> m_index; // upper-cased key -> position
};

// True when the collection holds an item under the key; a failed lookup is no error.
bool KeyExists(const KeyedCollection& col, std::string_view sKey);

} // namespace morvane
