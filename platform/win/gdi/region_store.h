#pragma once
// The region store: the areas of the GDI's region objects and of the DCs' clip regions as Qt
// regions, which the records own through RegionRefs (store_refs.h). Private to the GDI.

#include "platform/win/gdi/store_refs.h"

#include <QRegion>

#include <utility>

namespace pm::gdi {

// A record's area: a QRegion, used as one.
class StoredRegion : public QRegion {
public:
    using QRegion::QRegion;
    StoredRegion(const QRegion& region) : QRegion(region) {}
    StoredRegion(QRegion&& region) : QRegion(std::move(region)) {}
    using QRegion::operator=;
};

// A reference to a new stored region holding `region`.
RegionRef storeRegion(QRegion region);

} // namespace pm::gdi
