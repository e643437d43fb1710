// Replaced by this folder's first real source file.
namespace veldrin {
int SerialPlaceholder() { return 0; }
}  // namespace veldrin
