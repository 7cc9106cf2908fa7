#pragma once
// Whether two records hold the very same storage, field by field: proof that
// they are equal without reading their texts. A list decoded again keeps the
// rows that did not change sharing the shown ones, so comparing a refreshed
// list of thousands of rows is mostly pointer checks.

#include <optional>
#include <tuple>
#include <type_traits>

namespace vantrel {

namespace sameStorageDetail {
template <class V>
concept Shared = requires(const V &v)
{
    v.isSharedWith(v);
    v.size();
};
template <class V>
concept Record = requires
{
    V::fields();
};
template <class V> struct IsOptional : std::false_type {};
template <class V> struct IsOptional<std::optional<V>> : std::true_type {};
} // namespace sameStorageDetail

// True only when a == b is certain from the storage alone; false says nothing.
template <class V> bool sameStorage(const V &a, const V &b)
{
    using namespace sameStorageDetail;
    if constexpr (Shared<V>) {
        return a.size() == b.size() && a.isSharedWith(b);
    } else if constexpr (IsOptional<V>::value) {
        return a.has_value() == b.has_value() && (!a || sameStorage(*a, *b));
    } else if constexpr (Record<V>) {
        return std::apply(
            [&](const auto &...f) { return (sameStorage(a.*(f.member), b.*(f.member)) && ...); },
            V::fields());
    } else if constexpr (std::is_arithmetic_v<V> || std::is_enum_v<V>) {
        return a == b;
    } else {
        return false;
    }
}

} // namespace vantrel
