// Replaced by this folder's first real source file.
namespace veldrin {
int PrintPlaceholder() { return 0; }
}  // namespace veldrin
