// Replaced by the main window classes.
namespace veldrin {
int AppPlaceholder() { return 0; }
}  // namespace veldrin
