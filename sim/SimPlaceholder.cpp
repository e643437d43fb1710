// Replaced by this folder's first real source file.
namespace veldrin {
int SimPlaceholder() { return 0; }
}  // namespace veldrin
