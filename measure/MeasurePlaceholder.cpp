// Replaced by this folder's first real source file.
namespace veldrin {
int MeasurePlaceholder() { return 0; }
}  // namespace veldrin
