// Gives the resources library an object of its own; the resource data itself
// is linked in through the target's usage requirements.
namespace resources {
int anchor() {
    return 0;
}
}  // namespace resources
