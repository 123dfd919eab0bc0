// The form descriptions live in this library's resources; linking it makes them available.
namespace forms {
int linked() { return 1; }
}  // namespace forms
