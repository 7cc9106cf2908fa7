#pragma once
#include <QString>
#include <QUuid>

namespace vantrel {
// A fresh random identifier in canonical upper-case form (36 characters).
inline QString newUuidString() { return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper(); }
} // namespace vantrel
