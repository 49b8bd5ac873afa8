// The version block of one executable. It is not part of the report library: qv_embed_version_block
// (cmake/Quorvane.cmake) compiles it into each executable that carries a block, with the values of that
// build as definitions. The block is evaluated at compile time and kept in the file's data even though
// nothing refers to it: readers find it in the file by its marker.
#include "version/VersionBlock.h"

namespace {

constexpr verblock::TValues Values{
    .FileVersion = {QV_VB_FILE_VERSION},
    .ProductVersion = {QV_VB_PRODUCT_VERSION},
    .Flags = QV_VB_FLAGS,
    .CompanyName = "Varnholt",
    .ProductName = "Quorvane",
    .FileVersionText = QV_VB_FILE_VERSION_TEXT,
    .ProductVersionText = QV_VB_PRODUCT_VERSION_TEXT,
    .SpecialBuild = QV_VB_SPECIAL_BUILD,
};

constexpr auto Block = verblock::Encode(Values);
static_assert(!Block.Overflow, "the version block does not fit its capacity");

} // namespace

[[gnu::used]] extern const auto QuorvaneVersionBlock = Block.Bytes;
