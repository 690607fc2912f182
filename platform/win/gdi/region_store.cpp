#include "platform/win/gdi/region_store.h"

namespace pm::gdi {

StoredRegion* copyStored(const StoredRegion& region) {
    return new StoredRegion(region);
}

void destroyStored(StoredRegion* region) {
    delete region;
}

RegionRef storeRegion(QRegion region) {
    return RegionRef(new StoredRegion(std::move(region)));
}

} // namespace pm::gdi
