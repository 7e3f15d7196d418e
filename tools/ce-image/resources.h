// Compiled resources: reading the .res file a resource compiler writes, and
// laying them out as the .rsrc section of an image (the type -> name ->
// language directory tree with its data entries).
#ifndef CE_IMAGE_RESOURCES_H
#define CE_IMAGE_RESOURCES_H

#include <string>
#include <vector>

#include "common.h"

namespace ceimage {

// A resource type or name: an ordinal, or a string when `text` is not empty.
struct ResourceKey {
    uint16_t id = 0;
    std::u16string text;

    bool named() const { return !text.empty(); }
};

// The order of a directory's entries: names first, compared without regard
// to the case of ASCII letters, then ordinals ascending.
bool resourceKeyLess(const ResourceKey& a, const ResourceKey& b);

struct Resource {
    ResourceKey type;
    ResourceKey name;
    uint16_t language = 0;
    Bytes data;
};

std::vector<Resource> readRes(const Bytes& file);

// The section's bytes for a section placed at `rva`: the data entries hold
// RVAs.
Bytes buildResourceSection(const std::vector<Resource>& resources, uint32_t rva);

}  // namespace ceimage

#endif
