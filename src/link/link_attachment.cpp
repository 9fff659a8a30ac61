#include "link/link_attachment.h"

#include "link/shared_memory.h"

LinkRecord* lm = nullptr;

namespace {

// What backs `lm`: kept only to be released when a later attempt replaces it.
SharedObject heldObject = NO_SHARED_OBJECT;
void* heldView = nullptr;

}  // namespace

void attachLink() {
    const SharedObject object = openSharedObject(LINK_MAPPING_NAME);
    if (object == NO_SHARED_OBJECT) return;

    void* const view = mapSharedObject(object, LINK_RECORD_SIZE);
    lm = static_cast<LinkRecord*>(view);

    if (heldView != nullptr) unmapSharedObject(heldView, LINK_RECORD_SIZE);
    if (heldObject != NO_SHARED_OBJECT) closeSharedObject(heldObject);

    if (view == nullptr) {
        closeSharedObject(object);
        heldObject = NO_SHARED_OBJECT;
        heldView = nullptr;
        return;
    }
    heldObject = object;
    heldView = view;
}
