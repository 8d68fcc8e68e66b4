// Built as a shared library under the soname of a sound library, with none of its functions:
// it stands in for a library that is installed but cannot be used.
namespace tarvel_stand_in {
int unused = 0;
}
