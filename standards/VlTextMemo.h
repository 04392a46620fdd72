#pragma once
// What was made of a cell's text, kept by the text's identity. A sheet given the kept content of a
// file shares its texts with every other load of that file, so a pooled grid running the same sheet
// again finds each declaration and comment text it has seen before without reading it again. An
// entry holds its text, so the identity cannot pass to another text while the entry lives.
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

template <class T>
class VlTextMemo {
public:
    // Bounds the memory: texts made during runs (values) come and go.
    static constexpr std::size_t kMaxEntries = 4096;

    const T* find(const std::shared_ptr<const std::wstring>& text) const {
        const auto found = entries_.find(text.get());
        return found == entries_.end() ? nullptr : &found->second.second;
    }
    const T& keep(const std::shared_ptr<const std::wstring>& text, T value) {
        if (entries_.size() >= kMaxEntries) entries_.clear();
        return entries_.insert_or_assign(text.get(), std::make_pair(text, std::move(value))).first->second.second;
    }
    void clear() { entries_.clear(); }

private:
    std::unordered_map<const std::wstring*, std::pair<std::shared_ptr<const std::wstring>, T>> entries_;
};
