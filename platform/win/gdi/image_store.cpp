#include "platform/win/gdi/image_store.h"

namespace pm::gdi {

StoredImage* copyStored(const StoredImage& image) {
    return new StoredImage(image);
}

void destroyStored(StoredImage* image) {
    delete image;
}

ImageRef storeImage(QImage image) {
    return ImageRef(new StoredImage(std::move(image)));
}

} // namespace pm::gdi
