#pragma once
// Identifies an object in the drawing database. Ours is an opaque number; 0 is the null id.
#include <cstdint>
#include <functional>

class AcDbObjectId {
public:
    AcDbObjectId() = default;
    explicit AcDbObjectId(std::uint64_t value) : value_(value) {}

    static const AcDbObjectId kNull;

    bool isNull() const { return value_ == 0; }
    bool isValid() const { return value_ != 0; }
    void setNull() { value_ = 0; }
    std::uint64_t asOldId() const { return value_; }

    auto operator<=>(const AcDbObjectId&) const = default;

private:
    std::uint64_t value_ = 0;
};

inline const AcDbObjectId AcDbObjectId::kNull{};

template <>
struct std::hash<AcDbObjectId> {
    std::size_t operator()(const AcDbObjectId& id) const noexcept { return std::hash<std::uint64_t>()(id.asOldId()); }
};
