#pragma once
// How much one reply of the Checkout server may hold.

#include <QtGlobal>

namespace vantrel {

// The most one reply may hold, by kind of endpoint. A server (or whatever
// answers in its place) can send any amount; a reply over its limit is
// refused before it is held whole, and what was shown before stays.
namespace replyLimit {
inline constexpr qint64 megabyte = 1024 * 1024;
// One record: a quote of a few hundred lines is well under one megabyte.
inline constexpr qint64 record = 4 * megabyte;
// Search results, a customer's quotes or deals, taxes, the checkout history.
inline constexpr qint64 list = 16 * megabyte;
// 10,000 products measure 4.5 MB, so 50,000 take about 23 MB: almost three
// times that fits.
inline constexpr qint64 catalog = 64 * megabyte;
// A quote or invoice PDF.
inline constexpr qint64 document = 25 * megabyte;
} // namespace replyLimit

} // namespace vantrel
