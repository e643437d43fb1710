// Replaced by this folder's first real source file.
namespace veldrin {
int FilesPlaceholder() { return 0; }
}  // namespace veldrin
